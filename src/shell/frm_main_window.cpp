#include "shell/frm_main_window.h"

#include <windows.h>

#include "platform/handles.h"
#include "platform/ui.h"
#include "platform/utf.h"

namespace shell {
namespace {

constexpr wchar_t kClassName[] = L"ClarimoMain";
constexpr int kCloseId = 100;
// Lengths at 96 DPI.
constexpr int kClientWidth = 360;
constexpr int kClientHeight = 150;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kMargin = 11;
constexpr int kFontPoints = 9;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

}  // namespace

struct FrmMainWindow::State {
    explicit State(FrmMain& f) : form(f) {}

    FrmMain& form;
    HWND window = nullptr;
    HWND closeButton = nullptr;
    unsigned dpi = 96;
    platform::UniqueFont font;
    platform::UniqueIcon bigIcon;
    platform::UniqueIcon smallIcon;
    platform::UniqueAcceleratorTable accelerators;
    std::function<void()> destroyed;

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void ApplyDpi(unsigned newDpi);
    void Layout();
    void Close(bool byCloseButton);
};

LRESULT CALLBACK FrmMainWindow::State::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    State* state = nullptr;
    if (message == WM_NCCREATE) {
        state = static_cast<State*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        state->window = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    } else {
        state = reinterpret_cast<State*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (!state) return ::DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        state->window = nullptr;
        state->closeButton = nullptr;
        if (state->destroyed) state->destroyed();
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    return state->Handle(message, wParam, lParam);
}

void FrmMainWindow::State::Close(bool byCloseButton) {
    // A close that arrives while the shut-down runs is ignored.
    if (form.Unloading()) return;
    if (byCloseButton)
        form.Cmd_Close_Click();
    else
        form.Form_Unload();
    // Only reached when a test gave the form an end that returns.
    if (window) ::DestroyWindow(window);
}

LRESULT FrmMainWindow::State::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case kCloseId:
                case IDOK:
                case IDCANCEL:
                    // The button and Alt+C (kCloseId), Enter (IDOK), Esc (IDCANCEL).
                    Close(true);
                    return 0;
                default:
                    break;
            }
            break;
        case WM_CLOSE:
            Close(false);
            return 0;
        case WM_QUERYENDSESSION:
            return form.Form_QueryEndSession() ? TRUE : FALSE;
        case WM_ENDSESSION:
            form.Form_EndSession(wParam != FALSE);
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && closeButton) ::SetFocus(closeButton);
            return 0;
        case WM_DPICHANGED: {
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            ::SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                           suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            ApplyDpi(HIWORD(wParam));
            return 0;
        }
        case WM_DESTROY:
            platform::DisableDialogKeys(window);
            return 0;
        default:
            break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void FrmMainWindow::State::ApplyDpi(unsigned newDpi) {
    dpi = newDpi;
    font = platform::CreateUiFont(dpi, kFontPoints);
    if (closeButton) ::SendMessageW(closeButton, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    bigIcon = platform::LoadIconResource("QX2ICON", platform::ScaleForDpi(32, dpi));
    smallIcon = platform::LoadIconResource("QX2ICON", platform::ScaleForDpi(16, dpi));
    ::SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon.get()));
    ::SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon.get()));
    Layout();
}

void FrmMainWindow::State::Layout() {
    RECT client{};
    ::GetClientRect(window, &client);
    const int width = platform::ScaleForDpi(kButtonWidth, dpi);
    const int height = platform::ScaleForDpi(kButtonHeight, dpi);
    const int margin = platform::ScaleForDpi(kMargin, dpi);
    ::SetWindowPos(closeButton, nullptr, client.right - margin - width, client.bottom - margin - height, width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

FrmMainWindow::FrmMainWindow(FrmMain& form) : state_(std::make_unique<State>(form)) {}

FrmMainWindow::~FrmMainWindow() {
    state_->form.OnCaptionChanged({});
    state_->destroyed = nullptr;
    if (state_->window) ::DestroyWindow(state_->window);
}

const wchar_t* FrmMainWindow::ClassName() { return kClassName; }

platform::WindowHandle FrmMainWindow::Handle() const { return state_->window; }

void FrmMainWindow::OnDestroyed(std::function<void()> listener) { state_->destroyed = std::move(listener); }

bool FrmMainWindow::Show() {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (!::GetClassInfoExW(instance, kClassName, &windowClass)) {
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &State::WindowProc;
        windowClass.hInstance = instance;
        windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kClassName;
        if (!::RegisterClassExW(&windowClass)) return false;
    }

    State& state = *state_;
    const std::wstring caption = platform::ToWide(state.form.Caption());
    if (!::CreateWindowExW(kExStyle, kClassName, caption.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr,
                           nullptr, instance, &state))
        return false;
    state.closeButton =
        ::CreateWindowExW(0, L"BUTTON", L"Close", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0,
                          state.window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCloseId)), instance, nullptr);

    state.dpi = platform::WindowDpi(state.window);
    const SIZE size = platform::WindowSizeForClient(kClientWidth, kClientHeight, kStyle, kExStyle, state.dpi);
    platform::CenterOnWorkArea(state.window, size.cx, size.cy);
    state.ApplyDpi(state.dpi);

    // Alt+C closes, as the button's caption cannot carry a mnemonic.
    ACCEL closeKey{FALT | FVIRTKEY, 'C', kCloseId};
    state.accelerators.reset(::CreateAcceleratorTableW(&closeKey, 1));
    platform::EnableDialogKeys(state.window, state.accelerators.get());

    state.form.OnCaptionChanged([this](const std::string& text) { platform::SetWindowTextUtf8(state_->window, text); });
    state.form.Form_Load();
    platform::SetWindowTextUtf8(state.window, state.form.Caption());

    ::ShowWindow(state.window, SW_SHOWNORMAL);
    ::RedrawWindow(state.window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    ::SetForegroundWindow(state.window);
    ::SetFocus(state.closeButton);
    return true;
}

}  // namespace shell

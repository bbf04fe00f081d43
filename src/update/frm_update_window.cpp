#include "update/frm_update_window.h"

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <array>

#include "controls/error_msg.h"
#include "controls/error_msg_window.h"
#include "controls/link.h"
#include "controls/link_window.h"
#include "controls/theme.h"
#include "platform/dpi.h"
#include "platform/handles.h"
#include "platform/message_pump.h"
#include "platform/modal_runner.h"
#include "platform/ui.h"
#include "platform/utf.h"

namespace update {

namespace {

constexpr wchar_t kClassName[] = L"ClarimoUpdateWizard";

// Layout in pixels at 96 DPI; scaled to the window's DPI.
constexpr int kClientWidth = 440;
constexpr int kClientHeight = 292;
constexpr int kBandHeight = 76;
constexpr int kMargin = 16;

struct Box {
    int x, y, width, height;
};
constexpr Box kPictureBox{kMargin, 20, 32, 32};
constexpr Box kBalloonBox{kMargin + 8, 28, 16, 16};
constexpr Box kHeadingBox{60, 14, 364, 24};
constexpr Box kIntroBox{60, 40, 364, 32};
constexpr Box kSeparatorBox{0, kBandHeight, kClientWidth, 2};
constexpr Box kStatusBox{kMargin, 92, 408, 40};
constexpr Box kCheckLinkBox{kMargin, 138, 200, 20};
constexpr Box kResultBox{kMargin, 90, 408, 20};
constexpr Box kDetailsBox{kMargin, 114, 408, 70};
constexpr std::array<Box, 2> kLinkPlaces{Box{kMargin, 194, 196, 20}, Box{228, 194, 196, 20}};
constexpr Box kCancelBox{kClientWidth - kMargin - 88, kClientHeight - 16 - 28, 88, 28};

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

std::shared_ptr<Frm_UpdateWindow>& OpenWindow() {
    static std::shared_ptr<Frm_UpdateWindow> open;
    return open;
}

// Where a closed window waits to be released: not inside its own last
// message, whose handler still runs on it.
std::shared_ptr<Frm_UpdateWindow>& ClosedWindow() {
    static std::shared_ptr<Frm_UpdateWindow> closed;
    return closed;
}

class WizardFrame;

}  // namespace

struct Frm_UpdateWindow::Controls {
    HWND picture = nullptr;
    HWND heading = nullptr;
    HWND intro = nullptr;
    HWND separator = nullptr;
    HWND status = nullptr;
    HWND checkLink = nullptr;
    HWND result = nullptr;
    HWND details = nullptr;
    HWND downloadUpdate = nullptr;
    HWND downloadFull = nullptr;
    HWND cancel = nullptr;
    UpdateState drawnState = UpdateState::Idle;
    // "Check for Update" and the two download links.
    std::array<controls::Link, 3> links;
    std::array<std::unique_ptr<controls::LinkWindow>, 3> linkWindows;
    controls::ErrorMsg balloon;
    std::unique_ptr<controls::ErrorMsgWindow> balloonWindow;
    platform::UniqueBrush background;
    platform::UniqueBrush band;
    controls::ThemeSubscription theme;

    platform::UniqueFont font;
    platform::UniqueFont boldFont;
    platform::UniqueFont headingFont;
    platform::UniqueIcon pictureIcon;
    platform::UniqueIcon bigIcon;
    // Last, so that the window goes before the objects of its controls.
    std::unique_ptr<WizardFrame> frame;
};

// The window procedure's way into the class.
struct WindowAccess {
    static bool Handle(Frm_UpdateWindow& self, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    static void Paint(Frm_UpdateWindow& self, HDC dc, const RECT& client);
    static void Create(Frm_UpdateWindow& self, HWND window);
    static void CreateFonts(Frm_UpdateWindow& self);
    static void LoadIcons(Frm_UpdateWindow& self);
    static void Layout(Frm_UpdateWindow& self);
    static void Refresh(Frm_UpdateWindow& self);
    static void ShowBalloon(Frm_UpdateWindow& self, bool shown, const std::string& text);
    static void Recolour(Frm_UpdateWindow& self);
    static HWND MakeLink(Frm_UpdateWindow& self, size_t index, const char* caption, int id);
    static void OnLink(Frm_UpdateWindow& self, int id);
    static int Scale(const Frm_UpdateWindow& self, int pixels) {
        return platform::ScaleForDpi(pixels, static_cast<unsigned>(self.dpi_));
    }
};

namespace {

// The window itself on the window base; its messages go to WindowAccess.
class WizardFrame : public controls::CustomWindow {
public:
    explicit WizardFrame(Frm_UpdateWindow& wizard) : wizard_(wizard) {}
    bool Create(HWND owner) {
        controls::WindowSetup setup;
        setup.className = kClassName;
        setup.parent = owner;
        setup.style = kStyle;
        setup.exStyle = kExStyle;
        setup.text = text::kTitle;
        return MakeWindow(setup);
    }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        LRESULT result = 0;
        if (WindowAccess::Handle(wizard_, message, wParam, lParam, result)) return result;
        return Default(message, wParam, lParam);
    }
    void Paint(HDC dc, const RECT& client) override { WindowAccess::Paint(wizard_, dc, client); }

private:
    Frm_UpdateWindow& wizard_;
};

HWND MakeControl(HWND parent, const wchar_t* className, const std::string& text, DWORD style, int id,
                 DWORD exStyle = 0) {
    return ::CreateWindowExW(exStyle, className, platform::ToWide(text).c_str(), WS_CHILD | style, 0, 0, 0, 0, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
}

// The heading band: a tint of the theme in use.
COLORREF BandColour() { return controls::ResolveColor(controls::Blend(controls::ThemeColor, controls::kWhite, 55)); }

}  // namespace

HWND WindowAccess::MakeLink(Frm_UpdateWindow& self, size_t index, const char* caption, int id) {
    auto& c = *self.controls_;
    controls::Link& link = c.links[index];
    link.SetCaption(caption);
    link.Click = [&self, id] { OnLink(self, id); };
    c.linkWindows[index] = std::make_unique<controls::LinkWindow>(link);
    c.linkWindows[index]->Create(self.window_, RECT{0, 0, 10, 10}, id);
    const HWND window = c.linkWindows[index]->hwnd();
    ::SetWindowLongPtrW(window, GWL_STYLE, ::GetWindowLongPtrW(window, GWL_STYLE) | WS_TABSTOP);
    return window;
}

void WindowAccess::Create(Frm_UpdateWindow& self, HWND window) {
    auto& c = *self.controls_;
    constexpr DWORD label = WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
    c.picture =
        MakeControl(window, L"STATIC", "", WS_VISIBLE | SS_ICON | SS_REALSIZECONTROL, Frm_UpdateWindow::kPictureId);
    c.balloonWindow = std::make_unique<controls::ErrorMsgWindow>(c.balloon);
    c.balloonWindow->Create(window, 0, 0, Frm_UpdateWindow::kErrorBalloonId);
    c.heading = MakeControl(window, L"STATIC", text::kHeading, label, Frm_UpdateWindow::kHeadingId);
    c.intro = MakeControl(window, L"STATIC", text::kIntro, label, Frm_UpdateWindow::kIntroId);
    c.separator = MakeControl(window, L"STATIC", "", WS_VISIBLE | SS_ETCHEDHORZ, Frm_UpdateWindow::kSeparatorId);
    c.status = MakeControl(window, L"STATIC", "", label, Frm_UpdateWindow::kStatusId);
    c.checkLink = MakeLink(self, 0, text::kCheckLink, Frm_UpdateWindow::kCheckLinkId);
    ::ShowWindow(c.checkLink, SW_SHOWNA);
    c.result = MakeControl(window, L"STATIC", "", SS_LEFT | SS_NOPREFIX, Frm_UpdateWindow::kResultId);
    c.details = MakeControl(window, L"LISTBOX", "", WS_TABSTOP | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL,
                            Frm_UpdateWindow::kDetailsId, WS_EX_CLIENTEDGE);
    c.downloadUpdate = MakeLink(self, 1, text::kDownloadUpdateLink, Frm_UpdateWindow::kDownloadUpdateId);
    c.downloadFull = MakeLink(self, 2, text::kDownloadFullLink, Frm_UpdateWindow::kDownloadFullId);
    c.cancel = MakeControl(window, L"BUTTON", text::kCancel, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                           Frm_UpdateWindow::kCancelId);
    CreateFonts(self);
    LoadIcons(self);
    Recolour(self);
    c.theme = controls::SubscribeTheme(controls::ThemeStage::OtherWindows, [&self] {
        Recolour(self);
        ::InvalidateRect(self.window_, nullptr, TRUE);
    });
    Layout(self);
}

// The window takes the colours of the theme in use when it opens.
void WindowAccess::Recolour(Frm_UpdateWindow& self) {
    auto& c = *self.controls_;
    c.background.reset(::CreateSolidBrush(controls::ResolveColor(controls::ThemeBackColor)));
    c.band.reset(::CreateSolidBrush(BandColour()));
    for (controls::Link& link : c.links) {
        link.SetForeColor(controls::ThemeTextColor);
        link.SetBackColor(controls::ThemeBackColor);
        link.SetOverColor(controls::ThemeColor);
    }
    c.balloon.SetBackColor(controls::Blend(controls::ThemeColor, controls::kWhite, 55));
    c.balloon.SetToolTipFontColor(controls::ThemeTextColor);
}

void WindowAccess::CreateFonts(Frm_UpdateWindow& self) {
    auto& c = *self.controls_;
    const auto dpi = static_cast<unsigned>(self.dpi_);
    c.font = platform::CreateUiFont(dpi, 9);
    c.boldFont = platform::CreateUiFont(dpi, 9, true);
    c.headingFont = platform::CreateUiFont(dpi, 12, true);

    for (HWND control : {c.intro, c.status, c.details, c.cancel})
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(c.font.get()), FALSE);
    for (auto& link : c.linkWindows) link->SetFont(c.font.get());
    ::SendMessageW(c.result, WM_SETFONT, reinterpret_cast<WPARAM>(c.boldFont.get()), FALSE);
    ::SendMessageW(c.heading, WM_SETFONT, reinterpret_cast<WPARAM>(c.headingFont.get()), FALSE);
    c.balloonWindow->SetToolTipFont(c.font.get());
}

void WindowAccess::LoadIcons(Frm_UpdateWindow& self) {
    auto& c = *self.controls_;
    const int pictureSize = Scale(self, kPictureBox.width);
    c.pictureIcon = platform::LoadIconResource("QX2ICON", pictureSize);
    if (!c.pictureIcon)
        c.pictureIcon.reset(static_cast<HICON>(::CopyImage(::LoadIconW(nullptr, IDI_APPLICATION), IMAGE_ICON,
                                                           pictureSize, pictureSize, LR_COPYFROMRESOURCE)));
    ::SendMessageW(c.picture, STM_SETICON, reinterpret_cast<WPARAM>(c.pictureIcon.get()), 0);
}

void WindowAccess::Layout(Frm_UpdateWindow& self) {
    auto& c = *self.controls_;
    const auto place = [&](HWND control, const Box& box) {
        ::SetWindowPos(control, nullptr, Scale(self, box.x), Scale(self, box.y), Scale(self, box.width),
                       Scale(self, box.height), SWP_NOZORDER | SWP_NOACTIVATE);
    };
    place(c.picture, kPictureBox);
    place(c.balloonWindow->hwnd(), kBalloonBox);
    place(c.heading, kHeadingBox);
    place(c.intro, kIntroBox);
    place(c.separator, kSeparatorBox);
    place(c.status, kStatusBox);
    place(c.checkLink, kCheckLinkBox);
    place(c.result, kResultBox);
    place(c.details, kDetailsBox);
    const UpdatePage& page = self.logic_.Page();
    place(c.downloadUpdate, kLinkPlaces[page.downloadUpdate.position == 1 ? 1 : 0]);
    place(c.downloadFull, kLinkPlaces[page.downloadFull.position == 1 ? 1 : 0]);
    place(c.cancel, kCancelBox);
}

void WindowAccess::ShowBalloon(Frm_UpdateWindow& self, bool shown, const std::string& message) {
    controls::ErrorMsg& balloon = self.controls_->balloon;
    if (!shown) {
        balloon.HideMessage();
    } else if (!balloon.Shown() || balloon.Message() != message) {
        balloon.HideMessage();
        balloon.ShowError(message);
    }
}

void WindowAccess::Refresh(Frm_UpdateWindow& self) {
    auto& c = *self.controls_;
    const UpdatePage& page = self.logic_.Page();
    const HWND focusBefore = ::GetFocus();

    const auto show = [](HWND control, bool visible) { ::ShowWindow(control, visible ? SW_SHOWNA : SW_HIDE); };
    ::SetWindowTextW(c.status, platform::ToWide(page.statusText).c_str());
    // The details take the place of the status text once a release is offered.
    show(c.status, !page.detailsVisible);
    show(c.checkLink, page.checkLinkVisible);
    show(c.picture, page.pictureVisible);
    ShowBalloon(self, page.errorShown, page.errorText);

    ::SetWindowTextW(c.result, platform::ToWide(page.resultText).c_str());
    ::SendMessageW(c.details, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(c.details, LB_RESETCONTENT, 0, 0);
    for (const std::string& row : page.detailRows)
        ::SendMessageW(c.details, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::ToWide(row).c_str()));
    ::SendMessageW(c.details, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(c.details, nullptr, TRUE);
    show(c.result, page.detailsVisible);
    show(c.details, page.detailsVisible);
    Layout(self);
    show(c.downloadUpdate, page.detailsVisible && page.downloadUpdate.visible);
    show(c.downloadFull, page.detailsVisible && page.downloadFull.visible);

    // Keyboard users keep a focus: on "Cancel" when the logic asks for it, on
    // the first download link when a release is offered, otherwise on the
    // next useful control when the focused one went away.
    const bool offeredNow = page.state == UpdateState::UpdateOffered && c.drawnState != UpdateState::UpdateOffered;
    c.drawnState = page.state;
    const bool focusWasInside = focusBefore && (focusBefore == self.window_ || ::IsChild(self.window_, focusBefore));
    if (self.logic_.TakeCancelFocusRequest()) {
        ::SetFocus(c.cancel);
    } else if (focusWasInside && (offeredNow || focusBefore == self.window_ || !::IsWindowVisible(focusBefore))) {
        for (HWND next : {c.downloadUpdate, c.downloadFull, c.checkLink, c.cancel}) {
            if (::IsWindowVisible(next)) {
                ::SetFocus(next);
                break;
            }
        }
    }
    ::UpdateWindow(self.window_);
}

void WindowAccess::OnLink(Frm_UpdateWindow& self, int id) {
    // The check waits inside its handler while messages run: the window may
    // be closed meanwhile, so the object is kept alive until it returns.
    const std::shared_ptr<Frm_UpdateWindow> keepAlive = self.shared_from_this();
    switch (id) {
        case Frm_UpdateWindow::kCheckLinkId:
            self.logic_.LnkCheck_Click();
            break;
        case Frm_UpdateWindow::kDownloadUpdateId:
            self.logic_.LnkDownloadUpdate_Click();
            break;
        case Frm_UpdateWindow::kDownloadFullId:
            self.logic_.LnkDownloadFull_Click();
            break;
        default:
            break;
    }
}

void WindowAccess::Paint(Frm_UpdateWindow& self, HDC dc, const RECT& client) {
    RECT band{0, 0, client.right, Scale(self, kBandHeight)};
    ::FillRect(dc, &client, self.controls_->background.get());
    ::FillRect(dc, &band, self.controls_->band.get());
}

bool WindowAccess::Handle(Frm_UpdateWindow& self, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (message) {
        case WM_CREATE:
            self.window_ = self.controls_->frame->hwnd();
            self.dpi_ = static_cast<int>(platform::WindowDpi(self.window_));
            Create(self, self.window_);
            return true;
        case WM_DPICHANGED: {
            // The DPI the message names: the frame's own may lag behind.
            self.dpi_ = HIWORD(wParam) > 0 ? HIWORD(wParam) : self.dpi_;
            CreateFonts(self);
            LoadIcons(self);
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            ::SetWindowPos(self.window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                           suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            Layout(self);
            ::InvalidateRect(self.window_, nullptr, TRUE);
            return true;
        }
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC: {
            // The heading band in its tint, the rest on the theme's background;
            // text in the theme's text colour.
            const HWND control = reinterpret_cast<HWND>(lParam);
            const auto& c = *self.controls_;
            const HDC dc = reinterpret_cast<HDC>(wParam);
            const bool inBand = control == c.heading || control == c.intro || control == c.picture;
            ::SetTextColor(dc, controls::ResolveColor(controls::ThemeTextColor));
            ::SetBkColor(dc, inBand ? BandColour() : controls::ResolveColor(controls::ThemeBackColor));
            result = reinterpret_cast<LRESULT>(inBand ? c.band.get() : c.background.get());
            return true;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) != Frm_UpdateWindow::kCancelId) return false;
            self.Close();
            return true;
        case WM_CLOSE:
            self.Close();
            return true;
        case WM_DESTROY:
            platform::DisableDialogKeys(self.window_);
            self.logic_.Form_Unload();
            return true;
        case WM_NCDESTROY:
            self.window_ = nullptr;
            if (OpenWindow().get() == &self) ClosedWindow() = std::move(OpenWindow());
            return false;
        default:
            return false;
    }
}

Frm_UpdateWindow::Frm_UpdateWindow(UpdateSystem& system, const std::string& programFolder)
    : logic_(system, programFolder), controls_(std::make_unique<Controls>()) {}

Frm_UpdateWindow::~Frm_UpdateWindow() {
    // The frame goes with controls_, without calling back into this object.
    if (window_) logic_.Form_Unload();
}

std::shared_ptr<Frm_UpdateWindow> Frm_UpdateWindow::Current() { return OpenWindow(); }

std::shared_ptr<Frm_UpdateWindow> Frm_UpdateWindow::Open(platform::WindowHandle owner, UpdateSystem& system,
                                                         const std::string& programFolder) {
    if (const auto& open = OpenWindow(); open && open->window_) {
        ::ShowWindow(open->window_, SW_SHOWNORMAL);
        ::SetForegroundWindow(open->window_);
        return open;
    }
    ClosedWindow().reset();
    platform::InitCommonControls();

    // A page inside the main window may ask: the owner is its top-level window.
    if (owner) owner = ::GetAncestor(owner, GA_ROOT);
    std::shared_ptr<Frm_UpdateWindow> self(new Frm_UpdateWindow(system, programFolder));
    self->owner_ = owner;
    self->controls_->frame = std::make_unique<WizardFrame>(*self);
    if (!self->controls_->frame->Create(owner)) return nullptr;
    const HWND window = self->window_;
    self->controls_->bigIcon = platform::LoadIconResource("QX2ICON", ::GetSystemMetrics(SM_CXICON));
    ::SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(self->controls_->bigIcon.get()));
    OpenWindow() = self;
    self->logic_.SetOnChange([raw = self.get()] { WindowAccess::Refresh(*raw); });
    platform::EnableDialogKeys(window, nullptr);

    // Size the frame around the client area at the window's DPI and centre
    // it on the owner (or on the work area).
    const SIZE size =
        platform::WindowSizeForClient(kClientWidth, kClientHeight, kStyle, kExStyle, static_cast<unsigned>(self->dpi_));
    RECT area{};
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner) && ::GetWindowRect(owner, &area))
        ::SetWindowPos(window, nullptr, area.left + ((area.right - area.left) - size.cx) / 2,
                       area.top + ((area.bottom - area.top) - size.cy) / 2, size.cx, size.cy,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    else
        platform::CenterOnWorkArea(window, size.cx, size.cy);

    WindowAccess::Refresh(*self);
    ::ShowWindow(window, SW_SHOW);
    ::SetFocus(self->controls_->checkLink);
    return self;
}

void Frm_UpdateWindow::Close() {
    if (window_ && !platform::EndModal(window_, IDCANCEL)) ::DestroyWindow(window_);
}

void Frm_UpdateWindow::RunModal() {
    const std::shared_ptr<Frm_UpdateWindow> keepAlive = shared_from_this();
    if (window_) platform::RunModal(window_, owner_);
}

}  // namespace update

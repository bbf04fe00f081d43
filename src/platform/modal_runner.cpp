#include "platform/modal_runner.h"
#include "platform/message_pump.h"

#include <algorithm>
#include <vector>

namespace platform {
namespace {

struct ModalRun {
    HWND window;
    bool ended = false;
    int result = kModalNoResult;
};

// The runs of the interface thread, innermost last.
std::vector<ModalRun*>& Runs() {
    static std::vector<ModalRun*> runs;
    return runs;
}

ModalRun* FindRun(HWND window) {
    const auto& runs = Runs();
    const auto found =
        std::find_if(runs.begin(), runs.end(), [window](ModalRun* run) { return run->window == window; });
    return found == runs.end() ? nullptr : *found;
}

class RunRegistration {
public:
    explicit RunRegistration(ModalRun& run) : run_(run) { Runs().push_back(&run_); }
    ~RunRegistration() { std::erase(Runs(), &run_); }
    RunRegistration(const RunRegistration&) = delete;
    RunRegistration& operator=(const RunRegistration&) = delete;

private:
    ModalRun& run_;
};

}  // namespace

int RunModal(HWND window, HWND owner, const std::function<bool()>& done) {
    if (!::IsWindow(window)) return kModalNoResult;
    ModalRun run{window};
    const RunRegistration registration(run);
    // Disabling a child would leave the rest of its top-level window usable.
    const HWND ownerRoot = owner ? ::GetAncestor(owner, GA_ROOT) : nullptr;
    const bool ownerWasEnabled = ownerRoot && ::IsWindowEnabled(ownerRoot);
    if (ownerWasEnabled) ::EnableWindow(ownerRoot, FALSE);
    ::ShowWindow(window, SW_SHOW);

    MSG message{};
    while (!run.ended && ::IsWindow(window) && !(done && done())) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            // The quit message belongs to the program's main loop.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got < 0) break;
        if (TranslateDialogKeys(message)) continue;
        if (::IsWindow(window) && ::IsDialogMessageW(window, &message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }

    if (ownerWasEnabled) ::EnableWindow(ownerRoot, TRUE);
    if (::IsWindow(window)) {
        if (ownerRoot && ::GetActiveWindow() == window) ::SetActiveWindow(ownerRoot);
        ::DestroyWindow(window);
    } else if (ownerRoot && ownerWasEnabled && !::GetActiveWindow()) {
        ::SetActiveWindow(ownerRoot);
    }
    return run.result;
}

bool EndModal(HWND window, int result) {
    ModalRun* run = FindRun(window);
    if (!run) return false;
    run->ended = true;
    run->result = result;
    // Wakes the loop should the call come from outside a dispatched message.
    ::PostMessageW(window, WM_NULL, 0, 0);
    return true;
}

bool IsRunningModal(HWND window) { return FindRun(window) != nullptr; }

}  // namespace platform

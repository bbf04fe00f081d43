// The please-wait window of the privacy clean: two labels and a one-shot
// timer that runs the clean about 400 ms after the window opens, so that the
// window is on the screen before the work blocks the thread, and then closes
// the window. This is its logic; FrmPrivacyProgWindow draws it.
#pragma once

#include <functional>
#include <string>

namespace privacy {

class FrmPrivacyProg {
public:
    static constexpr unsigned kTimIntervalMs = 400;
    static constexpr unsigned char kOpacity = 220;
    static constexpr const char* kLabel1 = "Please Wait...";
    static constexpr const char* kLabel2 = "Removing Files and Entries";

    explicit FrmPrivacyProg(std::function<void()> clean) : clean_(std::move(clean)) {}

    bool TimEnabled() const { return timEnabled_; }
    bool Unloaded() const { return unloaded_; }

    // The timer fires once: the window is gone afterwards, even when the
    // clean throws.
    void Tim_Timer();

    // Set by the window: close it.
    std::function<void()> onUnload;

private:
    void Unload();

    std::function<void()> clean_;
    bool timEnabled_ = true;
    bool unloaded_ = false;
};

}  // namespace privacy

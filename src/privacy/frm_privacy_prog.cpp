#include "privacy/frm_privacy_prog.h"

namespace privacy {

void FrmPrivacyProg::Tim_Timer() {
    if (!timEnabled_) return;
    timEnabled_ = false;
    struct UnloadAtEnd {
        FrmPrivacyProg& form;
        ~UnloadAtEnd() { form.Unload(); }
    } unloadAtEnd{*this};
    if (clean_) clean_();
}

void FrmPrivacyProg::Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    if (onUnload) onUnload();
}

}  // namespace privacy

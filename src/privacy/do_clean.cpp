#include "privacy/do_clean.h"

namespace privacy {

CleanReport DoClean(const std::array<bool, kPrivacyItemCount>&, platform::WindowHandle, const core::ClsFileFolder&,
                    ClsCash&) {
    return {};
}

}  // namespace privacy

// Removes the traces of the privacy items the user checked.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/cls_file_folder.h"
#include "platform/throttled_pump.h"
#include "platform/window_handle.h"
#include "privacy/cls_cash.h"

namespace privacy {

constexpr int kPrivacyItemCount = 20;

// What a clean left alone, for the page's balloon: folders DeleteFolder refused.
struct CleanReport {
    std::vector<std::string> foldersLeftAlone;
};

// Removes the traces of every checked item, in index order; every failure is skipped.
// owner: the window handed to EmptyRecycleBin / EmptyWinClipBoard. The folder
// and cache steps go through runWaiting; the window and COM steps and the
// registry removals stay on the calling thread.
CleanReport DoClean(const std::array<bool, kPrivacyItemCount>& checked, platform::WindowHandle owner,
                    const core::ClsFileFolder& files, ClsCash& cash, const platform::WaitingRunner& runWaiting = {});

}  // namespace privacy

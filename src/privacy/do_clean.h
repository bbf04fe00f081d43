// Removes the traces of the privacy items the user checked.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/cls_file_folder.h"
#include "platform/throttled_pump.h"
#include "platform/window_handle.h"
#include "privacy/cls_cash.h"
#include "privacy/privacy_catalogue.h"

namespace privacy {

// What a clean left alone, for the page's balloon: folders DeleteFolder
// refused, and per browser item the files it could not delete (in use).
struct CleanReport {
    struct FilesInUse {
        int item;
        int files;
    };
    std::vector<std::string> foldersLeftAlone;
    std::vector<FilesInUse> filesInUse;
};

// Removes the traces of every checked item, in index order; every failure is skipped.
// owner: the window handed to EmptyRecycleBin / EmptyWinClipBoard. The folder
// and cache steps go through runWaiting; the window and COM steps and the
// registry removals stay on the calling thread.
CleanReport DoClean(const std::array<bool, kItemCount>& checked, platform::WindowHandle owner,
                    const core::ClsFileFolder& files, ClsCash& cash, const platform::WaitingRunner& runWaiting = {});

}  // namespace privacy

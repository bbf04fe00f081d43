// What the benchmarks share: prompts that answer at once, and the generated
// tree of junk_scan.
#pragma once

#include <windows.h>

#include <string>

#include "core/prompts.h"
#include "platform/handles.h"

namespace bench {

// Ok to every message, Yes to every question; no dialog is shown.
struct SilentPrompts : core::Prompts {
    core::PromptAnswer Message(const std::string&, const std::string&, core::PromptIcon,
                               core::PromptButtons buttons) override {
        return buttons == core::PromptButtons::YesNo ? core::PromptAnswer::Yes : core::PromptAnswer::Ok;
    }
    std::string BrowseForFolder(const std::string&, unsigned) override { return {}; }
    std::string OpenFile(const core::FileDialogOptions&) override { return {}; }
    std::string SaveFile(const core::FileDialogOptions&) override { return {}; }
};

inline void Touch(const std::wstring& path) {
    platform::UniqueHandle file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// tops x 2,000 files (tops = 100: about 200,000 files in about 21,000
// folders) under root; one file in 20 matches a default pattern. Made once:
// a finished tree holds "complete.txt".
inline bool MakeJunkTree(const std::wstring& root, int tops) {
    const std::wstring done = root + L"\\complete.txt";
    if (::GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    ::CreateDirectoryW(root.c_str(), nullptr);
    int n = 0;
    for (int a = 0; a < tops; ++a) {
        const std::wstring top = root + L"\\top" + std::to_wstring(a);
        ::CreateDirectoryW(top.c_str(), nullptr);
        for (int b = 0; b < 10; ++b) {
            const std::wstring mid = top + L"\\mid" + std::to_wstring(b);
            ::CreateDirectoryW(mid.c_str(), nullptr);
            for (int c = 0; c < 20; ++c) {
                const std::wstring leaf = mid + L"\\leaf" + std::to_wstring(c);
                ::CreateDirectoryW(leaf.c_str(), nullptr);
                for (int f = 0; f < 10; ++f, ++n) {
                    const wchar_t* ext = n % 20 == 0 ? L".tmp" : n % 20 == 7 ? L".bak" : L".txt";
                    Touch(leaf + L"\\file" + std::to_wstring(n) + ext);
                }
            }
        }
    }
    Touch(done);
    return true;
}

}  // namespace bench

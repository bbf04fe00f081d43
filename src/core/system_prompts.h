// The program's Prompts: the system's message boxes and dialogs, owned by
// the window of the current PromptOwner (else the one given here).
#pragma once

#include "core/prompts.h"
#include "platform/window_handle.h"

namespace core {

class SystemPrompts : public Prompts {
public:
    explicit SystemPrompts(platform::WindowHandle owner = nullptr) { SetOwner(owner); }

    PromptAnswer Message(const std::string& text, const std::string& title, PromptIcon icon,
                         PromptButtons buttons = PromptButtons::Ok) override;
    std::string BrowseForFolder(const std::string& prompt, unsigned flags) override;
    std::string OpenFile(const FileDialogOptions& options) override;
    std::string SaveFile(const FileDialogOptions& options) override;
};

}  // namespace core

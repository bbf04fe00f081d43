// The program's Prompts: the system's message boxes and dialogs, owned by
// one window so that they stay in front of it and block it while open.
#pragma once

#include "core/prompts.h"
#include "platform/window_handle.h"

namespace core {

class SystemPrompts : public Prompts {
public:
    explicit SystemPrompts(platform::WindowHandle owner = nullptr) : owner_(owner) {}

    void SetOwner(platform::WindowHandle owner) { owner_ = owner; }
    platform::WindowHandle Owner() const { return owner_; }

    PromptAnswer Message(const std::string& text, const std::string& title, PromptIcon icon,
                         PromptButtons buttons = PromptButtons::Ok) override;
    std::string BrowseForFolder(const std::string& prompt, unsigned flags) override;
    std::string OpenFile(const FileDialogOptions& options) override;
    std::string SaveFile(const FileDialogOptions& options) override;

private:
    platform::WindowHandle owner_;
};

}  // namespace core

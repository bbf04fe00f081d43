// Stand-in for core::SystemPrompts until it is available here: message boxes
// only, which is all start-up asks. To be replaced by core::SystemPrompts.
#pragma once

#include "core/prompts.h"

namespace app {

class AppPrompts : public core::Prompts {
public:
    core::PromptAnswer Message(const std::string& text, const std::string& title, core::PromptIcon icon,
                               core::PromptButtons buttons) override;
    // Not asked during start-up: each answers "cancelled".
    std::string BrowseForFolder(const std::string& prompt, unsigned flags) override;
    std::string OpenFile(const core::FileDialogOptions& options) override;
    std::string SaveFile(const core::FileDialogOptions& options) override;
};

}  // namespace app

#include "core/system_prompts.h"

#include "platform/dialogs.h"

namespace core {
namespace {

platform::FileDialogRequest ToPlatform(const FileDialogOptions& options) {
    return {options.title, options.filter, options.defaultExtension, options.initialName, options.initialFolder};
}

}  // namespace

PromptAnswer SystemPrompts::Message(const std::string& text, const std::string& title, PromptIcon icon,
                                    PromptButtons buttons) {
    return platform::ShowMessageBox(Owner(), text, title, icon, buttons);
}

std::string SystemPrompts::BrowseForFolder(const std::string& prompt, unsigned flags) {
    return platform::BrowseForFolderDialog(Owner(), prompt, flags);
}

std::string SystemPrompts::OpenFile(const FileDialogOptions& options) {
    return platform::OpenFileDialog(Owner(), ToPlatform(options));
}

std::string SystemPrompts::SaveFile(const FileDialogOptions& options) {
    return platform::SaveFileDialog(Owner(), ToPlatform(options));
}

}  // namespace core

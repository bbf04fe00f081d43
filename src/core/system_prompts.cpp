#include "core/system_prompts.h"

#include "platform/dialogs.h"

namespace core {
namespace {

platform::MessageIcon ToPlatform(PromptIcon icon) {
    switch (icon) {
        case PromptIcon::Critical:
            return platform::MessageIcon::Critical;
        case PromptIcon::Question:
            return platform::MessageIcon::Question;
        case PromptIcon::Exclamation:
            return platform::MessageIcon::Exclamation;
        case PromptIcon::Information:
            return platform::MessageIcon::Information;
        case PromptIcon::None:
            break;
    }
    return platform::MessageIcon::None;
}

platform::MessageButtons ToPlatform(PromptButtons buttons) {
    switch (buttons) {
        case PromptButtons::OkCancel:
            return platform::MessageButtons::OkCancel;
        case PromptButtons::YesNo:
            return platform::MessageButtons::YesNo;
        case PromptButtons::YesNoCancel:
            return platform::MessageButtons::YesNoCancel;
        case PromptButtons::Ok:
            break;
    }
    return platform::MessageButtons::Ok;
}

PromptAnswer FromPlatform(platform::MessageAnswer answer) {
    switch (answer) {
        case platform::MessageAnswer::Ok:
            return PromptAnswer::Ok;
        case platform::MessageAnswer::Yes:
            return PromptAnswer::Yes;
        case platform::MessageAnswer::No:
            return PromptAnswer::No;
        case platform::MessageAnswer::Cancel:
            break;
    }
    return PromptAnswer::Cancel;
}

platform::FileDialogRequest ToPlatform(const FileDialogOptions& options) {
    return {options.title, options.filter, options.defaultExtension, options.initialName, options.initialFolder};
}

}  // namespace

PromptAnswer SystemPrompts::Message(const std::string& text, const std::string& title, PromptIcon icon,
                                    PromptButtons buttons) {
    return FromPlatform(platform::ShowMessageBox(Owner(), text, title, ToPlatform(icon), ToPlatform(buttons)));
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

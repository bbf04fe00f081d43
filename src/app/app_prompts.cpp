#include "app/app_prompts.h"

#include <windows.h>

#include "platform/ui.h"

namespace app {
namespace {

UINT IconFlag(core::PromptIcon icon) {
    switch (icon) {
        case core::PromptIcon::Critical:
            return MB_ICONHAND;
        case core::PromptIcon::Question:
            return MB_ICONQUESTION;
        case core::PromptIcon::Exclamation:
            return MB_ICONEXCLAMATION;
        case core::PromptIcon::Information:
            return MB_ICONASTERISK;
        case core::PromptIcon::None:
            break;
    }
    return 0;
}

UINT ButtonsFlag(core::PromptButtons buttons) {
    switch (buttons) {
        case core::PromptButtons::OkCancel:
            return MB_OKCANCEL;
        case core::PromptButtons::YesNo:
            return MB_YESNO;
        case core::PromptButtons::YesNoCancel:
            return MB_YESNOCANCEL;
        case core::PromptButtons::Ok:
            break;
    }
    return MB_OK;
}

}  // namespace

core::PromptAnswer AppPrompts::Message(const std::string& text, const std::string& title, core::PromptIcon icon,
                                       core::PromptButtons buttons) {
    switch (platform::ShowMessageBox(nullptr, text, title, IconFlag(icon) | ButtonsFlag(buttons))) {
        case IDYES:
            return core::PromptAnswer::Yes;
        case IDNO:
            return core::PromptAnswer::No;
        case IDCANCEL:
            return core::PromptAnswer::Cancel;
        default:
            return core::PromptAnswer::Ok;
    }
}

std::string AppPrompts::BrowseForFolder(const std::string&, unsigned) { return {}; }
std::string AppPrompts::OpenFile(const core::FileDialogOptions&) { return {}; }
std::string AppPrompts::SaveFile(const core::FileDialogOptions&) { return {}; }

}  // namespace app

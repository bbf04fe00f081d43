// The one seam through which logic asks the user something: message boxes,
// the folder picker and the file dialogs. The program uses SystemPrompts;
// tests script the answers.
//
// Every prompt is owned by the window the user acted in, so that it stays in
// front of that window and blocks it while open: the window layer puts a
// PromptOwner around forwarding a user action to the logic.
#pragma once

#include <string>

#include "platform/dialogs.h"
#include "platform/window_handle.h"

namespace core {

// The message box's own kinds: a prompt passes them through unchanged.
using PromptIcon = platform::MessageIcon;
using PromptButtons = platform::MessageButtons;
using PromptAnswer = platform::MessageAnswer;

struct FileDialogOptions {
    std::string title;
    // Pairs separated by "|": "Text Files (*.txt)|*.txt|All Files (*.*)|*.*"
    std::string filter;
    std::string defaultExtension;  // without the dot
    std::string initialName;
    std::string initialFolder;
};

class Prompts {
public:
    virtual ~Prompts() = default;

    // The window prompts shown now belong to (null: none).
    platform::WindowHandle Owner() const { return owner_; }
    // The owner outside every PromptOwner scope.
    void SetOwner(platform::WindowHandle owner) { owner_ = owner; }

    virtual PromptAnswer Message(const std::string& text, const std::string& title, PromptIcon icon,
                                 PromptButtons buttons = PromptButtons::Ok) = 0;
    // The shell's folder picker with the given BIF_ flags: the chosen path,
    // or "" when the user cancels.
    virtual std::string BrowseForFolder(const std::string& prompt, unsigned flags) = 0;
    // Full path chosen, or "" when the user cancels.
    virtual std::string OpenFile(const FileDialogOptions& options) = 0;
    virtual std::string SaveFile(const FileDialogOptions& options) = 0;

private:
    friend class PromptOwner;
    platform::WindowHandle owner_ = nullptr;
};

// Makes window the owner of the prompts shown while it lives; scopes nest,
// and the previous owner comes back at the end.
class PromptOwner {
public:
    PromptOwner(Prompts& prompts, platform::WindowHandle window) : prompts_(prompts), previous_(prompts.owner_) {
        prompts.owner_ = window;
    }
    ~PromptOwner() { prompts_.owner_ = previous_; }
    PromptOwner(const PromptOwner&) = delete;
    PromptOwner& operator=(const PromptOwner&) = delete;

private:
    Prompts& prompts_;
    platform::WindowHandle previous_;
};

}  // namespace core

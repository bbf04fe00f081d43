// The one seam through which logic asks the user something: message boxes,
// the folder picker and the file dialogs. The program uses SystemPrompts;
// tests script the answers.
#pragma once

#include <string>

namespace core {

enum class PromptIcon { None, Critical, Question, Exclamation, Information };
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptAnswer { Ok, Cancel, Yes, No };

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

    virtual PromptAnswer Message(const std::string& text, const std::string& title, PromptIcon icon,
                                 PromptButtons buttons = PromptButtons::Ok) = 0;
    // The shell's folder picker with the given BIF_ flags: the chosen path,
    // or "" when the user cancels.
    virtual std::string BrowseForFolder(const std::string& prompt, unsigned flags) = 0;
    // Full path chosen, or "" when the user cancels.
    virtual std::string OpenFile(const FileDialogOptions& options) = 0;
    virtual std::string SaveFile(const FileDialogOptions& options) = 0;
};

}  // namespace core

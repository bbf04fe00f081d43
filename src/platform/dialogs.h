// The system's modal dialogs: message boxes, the folder picker and the
// open and save file dialogs. Each waits for the user.
#pragma once

#include <string>

#include "platform/window_handle.h"

namespace platform {

enum class MessageIcon { None, Critical, Question, Exclamation, Information };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// MessageBoxW. When the box cannot be shown the answer is No for a Yes/No
// question and Cancel otherwise, so that nothing goes ahead unasked.
MessageAnswer ShowMessageBox(WindowHandle owner, const std::string& text, const std::string& title, MessageIcon icon,
                             MessageButtons buttons);

// SHBrowseForFolderW with the given BIF_ flags: the chosen path, or "" when
// the user cancels or picks something that is not in the file system.
std::string BrowseForFolderDialog(WindowHandle owner, const std::string& title, unsigned flags);

struct FileDialogRequest {
    std::string title;
    std::string filter;  // "Text Files (*.txt)|*.txt|All Files (*.*)|*.*"
    std::string defaultExtension;
    std::string initialName;
    std::string initialFolder;
};
// GetOpenFileNameW / GetSaveFileNameW (the save dialog asks before
// replacing a file): the full path, or "" when the user cancels.
std::string OpenFileDialog(WindowHandle owner, const FileDialogRequest& request);
std::string SaveFileDialog(WindowHandle owner, const FileDialogRequest& request);

}  // namespace platform

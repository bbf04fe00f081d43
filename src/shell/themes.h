// Applying a colour theme: sets the process-wide theme values (see
// controls/theme.h) and has every subscribed window recolour itself at once.
//
// Windows subscribe with controls::SubscribeTheme and are called in stage
// order: the main window (title gradients, tab buttons' ThemeColor, labels,
// round buttons and view toggles), then the tool pages junk files, privacy,
// startup, processes, options, about (panel background, border, label and
// link colours, repaint), then other open windows (the privacy clean's
// progress window), and last ThemeStage::Finish, where the main window
// repaints itself and draws the options page's tip "Clarimo Options." again
// when that page is shown.
#pragma once

namespace shell {

// Index 0..5 ("Blue (Default)", "Green", "Red", "Gray", "Orange",
// "Magenta"); any other index applies theme 0.
void ApplyTheme(int Index);

}  // namespace shell

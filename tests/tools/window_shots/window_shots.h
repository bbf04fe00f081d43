// One program that shows each page and window of Clarimo in a chosen state
// for scripts/screenshots, one state per run:
//   window_shots.exe SHOT THEME [SECONDS]
// SHOT is AREA or AREA-STATE (see kShots in window_shots.cpp); THEME 0..5.
// Settings go to a throw-away folder; the program ends after SECONDS
// (default 30) or when the script ends it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "support/test_window.h"

namespace shots {

// What a shot function gets: its state (the part of SHOT after the area) and
// how long to stay on screen.
struct Request {
    std::string state;
    int seconds = 30;
};

// A plain visible top-level window of about width x height (96 DPI units,
// scaled to the screen's DPI), as a stand-in for the main window.
std::unique_ptr<testing_support::TestWindow> MakeHost(const wchar_t* title, int width, int height);
int Scale(int value96);
// Handles messages for the request's seconds, dialog keys for dialog.
void Stay(const Request& request, HWND dialog = nullptr);

int ShowMainWindow(const Request& request);
int ShowGallery(const Request& request);
int ShowPrivacy(const Request& request);
int ShowCookies(const Request& request);
int ShowProcesses(const Request& request);
int ShowStartup(const Request& request);
int ShowJunk(const Request& request);
int ShowUpdate(const Request& request);

}  // namespace shots

// One program that shows each page and window of Clarimo in a chosen state
// for scripts/screenshots, one state per run:
//   window_shots.exe SHOT THEME [SECONDS]
// SHOT is AREA or AREA-STATE (see kAreas in window_shots.cpp); THEME 0..5.
// Settings go to a throw-away folder; the program ends after SECONDS
// (default 30) or when the script ends it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "support/test_window.h"

namespace shots {

struct Request {
    std::string state;  // the part of SHOT after the area
    int seconds = 30;
};

int Scale(int value96);
// A rectangle in 96 DPI units, scaled.
RECT R(int left, int top, int width, int height);
// A visible top-level window in place of the main window.
std::unique_ptr<testing_support::TestWindow> MakeHost(const wchar_t* title, int width, int height);
// A visible plain child that holds a page or controls.
HWND Area(HWND parent, const RECT& place);
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

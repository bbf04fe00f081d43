// The update window's logic: tests the connection, fetches the update
// description file, compares the published release with the program's own and
// offers its downloads. Frm_UpdateWindow draws this state.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/cls_file_folder.h"
#include "platform/http.h"
#include "platform/throttled_pump.h"
#include "update/update_system.h"

namespace update {

namespace text {
inline constexpr char kTitle[] = "Update Wizard";
inline constexpr char kHeading[] = "Clarimo Update Wizard.";
inline constexpr char kIntro[] = "This wizard will check for Clarimo updates or for a new version of it.";
inline constexpr char kCheckLink[] = "Check for Update";
inline constexpr char kDownloadUpdateLink[] = "Download Update";
inline constexpr char kDownloadFullLink[] = "Download Full Version";
inline constexpr char kCancel[] = "Cancel";
inline constexpr char kStatusIdle[] = "Click 'Check for Update' to start";
inline constexpr char kStatusConnecting[] = "Connecting to server...";
inline constexpr char kStatusChecking[] = "Checking for Update...";
inline constexpr char kStatusNoConnection[] = "No internet connection detected...";
inline constexpr char kStatusCantRead[] = "Can't read update information.";
inline constexpr char kStatusCurrent[] =
    "There are no available updates for clarimo for now\r\nYou are using the latest version.";
inline constexpr char kNotConnectedBalloon[] =
    "You are not connected to the internet\r\nPlease check your internet connection before cheking for update.";
}  // namespace text

// The name of the description file, on the server and in the program folder.
inline constexpr char kDescriptionFileName[] = "qxupdt.qdt";

enum class UpdateState { Idle, Checking, NoConnection, DownloadFailed, Current, UpdateOffered };

struct DownloadLink {
    bool visible = false;
    int position = 0;  // 0: the first link place, 1: the second
    std::string address;
};

// Everything the window shows.
struct UpdatePage {
    UpdateState state = UpdateState::Idle;
    std::string statusText = text::kStatusIdle;
    bool checkLinkVisible = true;
    bool pictureVisible = true;
    bool errorShown = false;  // the error balloon, with errorText
    std::string errorText;
    bool detailsVisible = false;  // result label, rows and links
    std::string resultText;
    std::vector<std::string> detailRows;
    DownloadLink downloadUpdate;  // the update-only package
    DownloadLink downloadFull;    // the full package
};

class Frm_Update {
public:
    // programFolder: where the description file is stored while it is read.
    Frm_Update(UpdateSystem& system, const std::string& programFolder);
    Frm_Update(const Frm_Update&) = delete;
    Frm_Update& operator=(const Frm_Update&) = delete;

    // Runs the connection test and the fetch of the description file (on a
    // worker while the window pumps); the fetch within this overall limit.
    platform::WaitingRunner runWaiting = platform::RunWhilePumping;
    unsigned descriptionDeadlineMs = 20000;

    // Called after every change of Page(); never after Form_Unload.
    void SetOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

    // "Check for Update": connection test, two waits, download, comparison.
    void LnkCheck_Click();
    void LnkDownloadUpdate_Click();
    void LnkDownloadFull_Click();
    // The window is closing: a check inside one of its waits ends there, and
    // a fetch under way stops at once, leaving no file.
    void Form_Unload();

    bool IsConnected();
    // Fetches url to localPath. True only when the server answered with
    // success and the file holds a "version" in section "programinfo"; on
    // false no file is left at localPath.
    bool DownloadFile(const std::string& url, const std::string& localPath);
    // Reads the description file at LocalFilePath(), shows the result and
    // deletes the file.
    void ShowUpdateInfo();
    // Hands address to the system's download dialog when it may be offered.
    bool StartDownload(const std::string& address);

    const UpdatePage& Page() const { return page_; }
    // True once after the logic asked for the focus on "Cancel".
    bool TakeCancelFocusRequest();
    // The description file's address in effect (the Server setting of the
    // main settings file, or the maker's address).
    std::string DescriptionAddress() const;
    const std::string& LocalFilePath() const { return localFile_; }
    bool Closed() const { return closed_; }

private:
    void Changed();
    void RemoveLocalFile();

    UpdateSystem& system_;
    core::ClsFileFolder fileFolder_;
    std::string localFile_;
    std::string sourceAddress_;  // where the file being shown came from
    UpdatePage page_;
    std::function<void()> onChange_;
    bool checking_ = false;
    bool closed_ = false;
    platform::HttpCancel cancel_;  // closes a fetch under way when the window closes
    bool focusCancel_ = false;
};

}  // namespace update

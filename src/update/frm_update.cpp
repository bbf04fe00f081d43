#include "update/frm_update.h"

#include <utility>

#include "core/settings.h"
#include "platform/http.h"
#include "update/update_rules.h"

namespace update {

namespace {

constexpr char kSection[] = "programinfo";
constexpr double kWaitSeconds = 2;

std::string ReadDescription(const std::string& file, const char* key, const char* Default) {
    return core::ReadIni(file, kSection, key, Default);
}

}  // namespace

Frm_Update::Frm_Update(UpdateSystem& system, const std::string& programFolder) : system_(system) {
    localFile_ = fileFolder_.AddSlash(programFolder) + kDescriptionFileName;
    sourceAddress_ = DescriptionAddress();
}

void Frm_Update::Changed() {
    if (onChange_ && !closed_) onChange_();
}

void Frm_Update::RemoveLocalFile() { fileFolder_.DeleteFile(localFile_, true); }

bool Frm_Update::TakeCancelFocusRequest() { return std::exchange(focusCancel_, false); }

std::string Frm_Update::DescriptionAddress() const {
    // Without a settings file there is no Server setting to read (an empty
    // path would make the profile functions fall back to win.ini).
    const std::string server =
        core::MainIniPath.empty() ? std::string() : core::ReadIni(core::MainIniPath, "Update", "Server", "");
    return DescriptionFileAddress(server);
}

bool Frm_Update::IsConnected() { return system_.InternetConnected(); }

bool Frm_Update::DownloadFile(const std::string& url, const std::string& localPath) {
    const auto source = ParseWebAddress(url);
    platform::HttpDownloadOptions options;
    options.allowPlainHttp = source && source->scheme == "http" && IsLoopbackHost(source->host);
    options.deadlineMs = descriptionDeadlineMs;
    options.cancel = &cancel_;
    platform::HttpDownloadResult result;
    platform::RunWaiting(runWaiting, [&] { result = platform::DownloadUrlToFile(url, localPath, options); });
    // An error page saved under the file's name would otherwise read as
    // "current": only a successful answer that is a description file counts.
    const bool readable = result.succeeded() && !ReadDescription(localPath, "version", "").empty();
    if (!readable) fileFolder_.DeleteFile(localPath, true);
    return readable;
}

void Frm_Update::LnkCheck_Click() {
    if (checking_ || closed_) return;
    checking_ = true;
    struct CheckingFlag {
        bool& flag;
        ~CheckingFlag() { flag = false; }
    } resetOnExit{checking_};

    page_.checkLinkVisible = false;
    // A new check starts from a clean page: the balloon and the picture of an
    // earlier "not connected" answer go.
    page_.errorShown = false;
    page_.errorText.clear();
    page_.pictureVisible = true;
    Changed();

    // Windows may take a while to answer (under Wine it looks at every
    // network interface): the window keeps pumping meanwhile.
    bool connected = false;
    platform::RunWaiting(runWaiting, [&] { connected = IsConnected(); });
    if (closed_) return;
    if (!connected) {
        page_.state = UpdateState::NoConnection;
        page_.pictureVisible = false;
        page_.errorShown = true;
        page_.errorText = text::kNotConnectedBalloon;
        page_.statusText = text::kStatusNoConnection;
        page_.checkLinkVisible = true;
        Changed();
        return;
    }

    page_.state = UpdateState::Checking;
    page_.statusText = text::kStatusConnecting;
    Changed();
    system_.Pause(kWaitSeconds);
    if (closed_) return;
    page_.statusText = text::kStatusChecking;
    Changed();
    system_.Pause(kWaitSeconds);
    if (closed_) return;

    sourceAddress_ = DescriptionAddress();
    // A file left by an earlier run (read-only, say) must not stand in the way.
    RemoveLocalFile();
    const bool fetched = DownloadFile(sourceAddress_, localFile_);
    if (closed_) {
        RemoveLocalFile();  // the window closed while the file arrived
        return;
    }
    if (!fetched) {
        page_.state = UpdateState::DownloadFailed;
        page_.statusText = text::kStatusCantRead;
        Changed();
        return;
    }
    ShowUpdateInfo();
}

void Frm_Update::ShowUpdateInfo() {
    const double version = ReadDecimal(ReadDescription(localFile_, "version", "1"), 1);
    const double build = ReadDecimal(ReadDescription(localFile_, "build", "0"), 0);
    const std::string sizesm = ReadDescription(localFile_, "sizesm", "");
    const std::string sizefl = ReadDescription(localFile_, "sizefl", "");

    if (!IsNewerRelease(version, build)) {
        page_.state = UpdateState::Current;
        page_.statusText = text::kStatusCurrent;
        page_.checkLinkVisible = false;
        focusCancel_ = true;
        RemoveLocalFile();
        Changed();
        return;
    }

    const std::string versionText = DecimalText(version);
    const std::string buildSuffix = build > OwnBuild() ? " Build (" + DecimalText(build) + ")" : std::string();
    page_.state = UpdateState::UpdateOffered;
    page_.resultText = "Version " + versionText + buildSuffix + " is available for download.";
    page_.detailsVisible = true;
    page_.detailRows.clear();
    page_.detailRows.push_back("Program Version : " + versionText + buildSuffix);
    page_.detailRows.push_back("Date : " + ReadDescription(localFile_, "date", ""));
    if (!sizefl.empty() && !sizesm.empty())
        page_.detailRows.push_back("File Size : " + sizefl + " Full Version, " + sizesm + " For Update only");
    else if (!sizefl.empty())
        page_.detailRows.push_back("File Size : " + sizefl);
    else if (!sizesm.empty())
        page_.detailRows.push_back("File Size : " + sizesm);

    // A link is offered only for an address that may be handed on; the full
    // package takes the first place when the update link is not shown.
    const std::string filesm = ReadDescription(localFile_, "filesm", "");
    const std::string filefl = ReadDescription(localFile_, "filefl", "");
    page_.downloadUpdate = {};
    page_.downloadFull = {};
    if (!sizesm.empty() && IsOfferableDownload(filesm, sourceAddress_)) page_.downloadUpdate = {true, 0, filesm};
    if (!sizefl.empty() && IsOfferableDownload(filefl, sourceAddress_))
        page_.downloadFull = {true, page_.downloadUpdate.visible ? 1 : 0, filefl};

    RemoveLocalFile();
    Changed();
}

bool Frm_Update::StartDownload(const std::string& address) {
    if (!IsOfferableDownload(address, sourceAddress_)) return false;
    return system_.OpenDownloadDialog(address);
}

void Frm_Update::LnkDownloadUpdate_Click() {
    if (page_.downloadUpdate.visible) StartDownload(page_.downloadUpdate.address);
}

void Frm_Update::LnkDownloadFull_Click() {
    if (page_.downloadFull.visible) StartDownload(page_.downloadFull.address);
}

void Frm_Update::Form_Unload() {
    closed_ = true;
    cancel_.Cancel();
    onChange_ = nullptr;
    RemoveLocalFile();
}

}  // namespace update

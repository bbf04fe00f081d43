#include "update/frm_update.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <functional>
#include <string>
#include <vector>

#include "core/settings.h"
#include "platform/long_path.h"
#include "support/loopback_http_server.h"
#include "support/temp_folder.h"
#include "test_update_system.h"

namespace {

using testing_support::CannedResponse;
using testing_support::LoopbackHttpServer;
using testing_support::Respond;
using testing_support::TempFolder;
using update::Frm_Update;
using update::UpdateState;

constexpr char kFilePath[] = "/updates/qxupdt.qdt";

// The user's decimal separator set to "," (it lives in HKCU\Control
// Panel\International, value sDecimal) and the C runtime switched to a comma
// locale, both put back at the end.
class CommaLocale {
public:
    CommaLocale() {
        ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, previous_, 8);
        ::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, L",");
        std::setlocale(LC_ALL, "German_Germany");
    }
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;
    ~CommaLocale() {
        std::setlocale(LC_ALL, "C");
        ::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, previous_);
    }

private:
    wchar_t previous_[8] = L".";
};

// A program folder with a settings file that points the check at a loopback
// server, and a check that records every status text it shows.
class UpdateCheck : public ::testing::Test {
protected:
    UpdateCheck() {
        core::SetSettingsPaths(program.path());
        core::WriteIni(core::MainIniPath, "Update", "Server", server.base());
        logic.SetOnChange([this] { statuses.push_back(logic.Page().statusText); });
    }
    ~UpdateCheck() override {
        core::MainIniPath.clear();
        core::FtsIniPath.clear();
        core::AssIniPath.clear();
        core::CssIniPath.clear();
    }

    void Publish(const std::string& description) {
        server.Serve(kFilePath, Respond(200, description, "application/octet-stream"));
    }
    // Runs a check against a published description file.
    const update::UpdatePage& CheckWith(const std::string& description) {
        Publish(description);
        logic.LnkCheck_Click();
        return logic.Page();
    }
    // The same from a freshly opened window, as the user's next try.
    update::UpdatePage CheckAgainWith(const std::string& description) {
        Frm_Update again(system, program.path());
        Publish(description);
        again.LnkCheck_Click();
        return again.Page();
    }
    std::string LocalFile() const { return program / "qxupdt.qdt"; }
    std::string Https(const std::string& path) const { return "https://downloads.clarimo.example" + path; }

    TempFolder program;
    LoopbackHttpServer server;
    testing_support::TestUpdateSystem system;
    Frm_Update logic{system, program.path()};
    std::vector<std::string> statuses;
};

TEST_F(UpdateCheck, TheSameReleaseIsCurrent) {
    const auto& page = CheckWith("[programinfo]\r\nversion=2.1\r\nbuild=12\r\ndate=1 May\r\nsizefl=5 MB\r\n");

    EXPECT_EQ(page.state, UpdateState::Current);
    EXPECT_EQ(page.statusText,
              "There are no available updates for clarimo for now\r\nYou are using the latest version.");
    EXPECT_FALSE(page.checkLinkVisible);
    EXPECT_FALSE(page.detailsVisible);
    EXPECT_TRUE(logic.TakeCancelFocusRequest());
    EXPECT_FALSE(logic.TakeCancelFocusRequest());
    EXPECT_FALSE(testing_support::Exists(LocalFile()));
    // The two waits of two seconds, with their texts, then the download.
    EXPECT_EQ(system.pauses, (std::vector<double>{2, 2}));
    ASSERT_GE(statuses.size(), 3u);
    EXPECT_EQ(statuses[statuses.size() - 3], "Connecting to server...");
    EXPECT_EQ(statuses[statuses.size() - 2], "Checking for Update...");
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].target, kFilePath);
}

TEST_F(UpdateCheck, MissingKeysTakeTheirDefaults) {
    // No build: 0. An older version without anything else is current too.
    EXPECT_EQ(CheckWith("[programinfo]\r\nversion=2.1\r\n").state, UpdateState::Current);
    EXPECT_EQ(CheckAgainWith("[programinfo]\r\nversion=1.5\r\n").state, UpdateState::Current);
    // A version that is not a number reads as the default 1.
    EXPECT_EQ(CheckAgainWith("[programinfo]\r\nversion=two point five\r\nbuild=3\r\n").state, UpdateState::Current);
    EXPECT_FALSE(testing_support::Exists(LocalFile()));
}

TEST_F(UpdateCheck, ANewerVersionIsOfferedWithItsDetails) {
    const auto& page = CheckWith(
        "[programinfo]\r\nversion=2.2\r\nbuild=12\r\ndate=12 March 2024\r\nsizefl=5.2 MB\r\nsizesm=1.1 MB\r\n"
        "filefl=" +
        Https("/full.exe") + "\r\nfilesm=" + Https("/update.exe") + "\r\n");

    EXPECT_EQ(page.state, UpdateState::UpdateOffered);
    EXPECT_EQ(page.resultText, "Version 2.2 is available for download.");
    EXPECT_TRUE(page.detailsVisible);
    EXPECT_FALSE(page.checkLinkVisible);
    EXPECT_EQ(page.detailRows, (std::vector<std::string>{"Program Version : 2.2", "Date : 12 March 2024",
                                                         "File Size : 5.2 MB Full Version, 1.1 MB For Update only"}));
    EXPECT_TRUE(page.downloadUpdate.visible);
    EXPECT_EQ(page.downloadUpdate.position, 0);
    EXPECT_EQ(page.downloadUpdate.address, Https("/update.exe"));
    EXPECT_TRUE(page.downloadFull.visible);
    EXPECT_EQ(page.downloadFull.position, 1);
    EXPECT_EQ(page.downloadFull.address, Https("/full.exe"));
    EXPECT_FALSE(testing_support::Exists(LocalFile()));

    logic.LnkDownloadFull_Click();
    logic.LnkDownloadUpdate_Click();
    EXPECT_EQ(system.dialogAddresses, (std::vector<std::string>{Https("/full.exe"), Https("/update.exe")}));
}

TEST_F(UpdateCheck, OffersFollowTheNumbersAndThePackagesDescribed) {
    struct Case {
        std::string description;
        std::string result;
        std::vector<std::string> rows;
        int updatePlace;  // -1: not offered
        int fullPlace;
    };
    const std::string full = "filefl=" + Https("/full.exe") + "\r\n";
    const std::string part = "filesm=" + Https("/update.exe") + "\r\n";
    const Case cases[] = {
        // A newer build is named; without sizes nothing is offered.
        {"version=2.1\r\nbuild=13\r\ndate=today\r\n",
         "Version 2.1 Build (13) is available for download.",
         {"Program Version : 2.1 Build (13)", "Date : today"},
         -1,
         -1},
        // Versions compare component-wise; an older build of a newer version is not named.
        {"version=3.0\r\nbuild=5\r\n",
         "Version 3 is available for download.",
         {"Program Version : 3", "Date : "},
         -1,
         -1},
        // One package alone takes the first place.
        {"version=2.5\r\nsizefl=9 MB\r\n" + full + part,
         "Version 2.5 is available for download.",
         {"Program Version : 2.5", "Date : ", "File Size : 9 MB"},
         -1,
         0},
        {"version=2.5\r\nsizesm=2 MB\r\n" + full + part,
         "Version 2.5 is available for download.",
         {"Program Version : 2.5", "Date : ", "File Size : 2 MB"},
         0,
         -1},
    };
    for (const Case& c : cases) {
        const auto page = CheckAgainWith("[programinfo]\r\n" + c.description);
        EXPECT_EQ(page.state, UpdateState::UpdateOffered) << c.description;
        EXPECT_EQ(page.resultText, c.result);
        EXPECT_EQ(page.detailRows, c.rows);
        EXPECT_EQ(page.downloadUpdate.visible ? page.downloadUpdate.position : -1, c.updatePlace) << c.description;
        EXPECT_EQ(page.downloadFull.visible ? page.downloadFull.position : -1, c.fullPlace) << c.description;
    }
    EXPECT_FALSE(testing_support::Exists(LocalFile()));
}

TEST_F(UpdateCheck, AnErrorAnswerOrAPageThatIsNoDescriptionCannotBeRead) {
    // A stale file from an earlier run, read-only even, must not be read
    // either, nor stay.
    testing_support::WriteFile(LocalFile(), "[programinfo]\r\nversion=9\r\n");
    ::SetFileAttributesW(platform::ToSystemPath(LocalFile()).c_str(), FILE_ATTRIBUTE_READONLY);
    server.Serve(kFilePath, Respond(404, "<html><body>Not here</body></html>", "text/html"));
    logic.LnkCheck_Click();
    EXPECT_EQ(logic.Page().state, UpdateState::DownloadFailed);
    EXPECT_EQ(logic.Page().statusText, "Can't read update information.");
    EXPECT_FALSE(logic.Page().checkLinkVisible);
    EXPECT_FALSE(logic.Page().detailsVisible);
    EXPECT_FALSE(testing_support::Exists(LocalFile()));

    // A captive portal or a server error page answered with success.
    for (const std::string& page : {std::string("<html><head><title>Sign in</title></head><body>Wi-Fi</body></html>"),
                                    std::string("[programinfo]\r\nbuild=99\r\n"), std::string()}) {
        const auto again = CheckAgainWith(page);
        EXPECT_EQ(again.state, UpdateState::DownloadFailed) << page;
        EXPECT_EQ(again.statusText, "Can't read update information.");
        EXPECT_FALSE(testing_support::Exists(LocalFile()));
    }
    Frm_Update failing(system, program.path());
    server.Serve(kFilePath, Respond(500, "[programinfo]\r\nversion=9\r\n"));
    failing.LnkCheck_Click();
    EXPECT_EQ(failing.Page().state, UpdateState::DownloadFailed);
    EXPECT_FALSE(testing_support::Exists(LocalFile()));
}

TEST_F(UpdateCheck, HostileDownloadAddressesAreNeitherOfferedNorHandedOn) {
    const std::string otherPort = "http://127.0.0.1:" + std::to_string(server.port() == 65535 ? 1 : server.port() + 1);
    const std::vector<std::string> hostile = {
        "javascript:alert(1)",
        "file:///C:/Windows/System32/calc.exe",
        "C:\\Windows\\System32\\calc.exe",
        "ftp://downloads.clarimo.example/full.zip",
        "http://downloads.clarimo.example/full.exe",
        otherPort + "/full.exe",
        "https://127.0.0.1@attacker.example/full.exe",
    };
    for (const std::string& address : hostile) {
        Frm_Update check(system, program.path());
        Publish("[programinfo]\r\nversion=2.5\r\nsizefl=9 MB\r\nsizesm=1 MB\r\nfilefl=" + address +
                "\r\nfilesm=" + address + "\r\n");
        check.LnkCheck_Click();
        EXPECT_EQ(check.Page().state, UpdateState::UpdateOffered) << address;
        EXPECT_FALSE(check.Page().downloadUpdate.visible) << address;
        EXPECT_FALSE(check.Page().downloadFull.visible) << address;
        // The size row still says what was published.
        EXPECT_EQ(check.Page().detailRows.back(), "File Size : 9 MB Full Version, 1 MB For Update only");
        EXPECT_FALSE(check.StartDownload(address)) << address;
        check.LnkDownloadFull_Click();
        check.LnkDownloadUpdate_Click();
    }
    EXPECT_TRUE(system.dialogAddresses.empty());

    // The loopback test server may offer plain-http links on itself only.
    const auto& page =
        CheckWith("[programinfo]\r\nversion=2.5\r\nsizefl=9 MB\r\nfilefl=" + server.base() + "/full.exe\r\n");
    EXPECT_TRUE(page.downloadFull.visible);
    EXPECT_TRUE(logic.StartDownload(server.base() + "/full.exe"));
    EXPECT_FALSE(logic.StartDownload(otherPort + "/full.exe"));
    EXPECT_EQ(system.dialogAddresses, (std::vector<std::string>{server.base() + "/full.exe"}));
}

TEST_F(UpdateCheck, WithoutAConnectionNothingIsFetched) {
    system.connected = false;
    logic.LnkCheck_Click();

    const auto& page = logic.Page();
    EXPECT_EQ(page.state, UpdateState::NoConnection);
    EXPECT_TRUE(page.errorShown);
    EXPECT_EQ(page.errorText,
              "You are not connected to the internet\r\nPlease check your internet connection before cheking for "
              "update.");
    EXPECT_EQ(page.statusText, "No internet connection detected...");
    EXPECT_TRUE(page.checkLinkVisible);
    EXPECT_FALSE(page.pictureVisible);
    EXPECT_TRUE(system.pauses.empty());
    EXPECT_TRUE(server.Requests().empty());

    // Connected again: the next check starts clean.
    system.connected = true;
    CheckWith("[programinfo]\r\nversion=2.1\r\nbuild=12\r\n");
    EXPECT_EQ(logic.Page().state, UpdateState::Current);
    EXPECT_FALSE(logic.Page().errorShown);
    EXPECT_TRUE(logic.Page().pictureVisible);
}

TEST_F(UpdateCheck, ClosingDuringEitherWaitOrTheFetchEndsTheCheckThere) {
    for (size_t closeInWait : {1u, 2u, 3u}) {  // 3: while the description file is being fetched
        Frm_Update check(system, program.path());
        int changesAfterClose = 0;
        bool closed = false;
        check.SetOnChange([&] { changesAfterClose += closed ? 1 : 0; });
        const auto closeIn = [&](size_t wait) {
            if (wait == closeInWait) {
                check.Form_Unload();
                closed = true;
            }
        };
        system.pauses.clear();
        system.duringPause = closeIn;
        check.runWaiting = [&](const std::function<void()>& fetch) {
            closeIn(3);
            fetch();
        };
        Publish("[programinfo]\r\nversion=2.5\r\nsizefl=1 MB\r\nfilefl=" + Https("/f.exe") + "\r\n");
        check.LnkCheck_Click();

        EXPECT_EQ(system.pauses.size(), std::min<size_t>(closeInWait, 2));
        EXPECT_TRUE(check.Closed());
        EXPECT_EQ(changesAfterClose, 0);
        EXPECT_NE(check.Page().state, UpdateState::UpdateOffered);
        EXPECT_TRUE(server.Requests().empty());
        EXPECT_FALSE(testing_support::Exists(LocalFile()));
        // A closed window starts nothing more.
        check.LnkCheck_Click();
        EXPECT_TRUE(server.Requests().empty());
    }
}

TEST_F(UpdateCheck, AServerThatNeverAnswersCannotBeReadWhenTheDeadlinePasses) {
    // It would answer, with a newer release, after 10 s: within each step's
    // own limit, so only the overall deadline ends the wait.
    CannedResponse silent = Respond(200, "[programinfo]\r\nversion=9\r\n");
    silent.delayMs = 10000;
    server.Serve(kFilePath, silent);
    logic.descriptionDeadlineMs = 300;
    logic.LnkCheck_Click();
    EXPECT_EQ(logic.Page().statusText, "Can't read update information.");
    EXPECT_FALSE(testing_support::Exists(LocalFile()));
}

TEST_F(UpdateCheck, NumbersReadAndShowWithAPointInACommaLocale) {
    const CommaLocale comma;
    wchar_t separator[8] = {};
    ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
    ASSERT_EQ(std::wstring(separator), L",");  // the environment really is a comma one
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");

    const auto& page = CheckWith("[programinfo]\r\nversion=2.5\r\nbuild=14.5\r\n");
    EXPECT_EQ(page.resultText, "Version 2.5 Build (14.5) is available for download.");
    EXPECT_EQ(page.detailRows.front(), "Program Version : 2.5 Build (14.5)");

    // "2,5" is not a number in the file: it reads as the default, 1.
    EXPECT_EQ(CheckAgainWith("[programinfo]\r\nversion=2,5\r\nbuild=12\r\n").state, UpdateState::Current);
    EXPECT_FALSE(testing_support::Exists(LocalFile()));
}

}  // namespace

#include "update/frm_update.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <clocale>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "core/settings.h"
#include "platform/long_path.h"
#include "support/loopback_http_server.h"
#include "support/temp_folder.h"
#include "test_update_system.h"

namespace {

using testing_support::CannedResponse;
using testing_support::Respond;
using update::Frm_Update;
using update::UpdateState;

constexpr char kFilePath[] = "/updates/qxupdt.qdt";

// The user's decimal separator (HKCU\Control Panel\International) and the C
// runtime set to a comma, both put back at the end.
class CommaLocale {
public:
    CommaLocale() {
        ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, previous_, 8);
        ::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, L",");
        std::setlocale(LC_ALL, "German_Germany");
    }
    ~CommaLocale() {
        std::setlocale(LC_ALL, "C");
        ::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, previous_);
    }

private:
    wchar_t previous_[8] = L".";
};

// A program folder whose settings point the check at a loopback server, and
// a check that records every status text it shows.
class UpdateCheck : public ::testing::Test {
protected:
    UpdateCheck() {
        core::SetSettingsPaths(program.path());
        core::WriteIni(core::MainIniPath, "Update", "Server", server.base());
        logic.SetOnChange([this] { statuses.push_back(logic.Page().statusText); });
    }
    ~UpdateCheck() override {
        for (std::string* path : {&core::MainIniPath, &core::FtsIniPath, &core::AssIniPath, &core::CssIniPath})
            path->clear();
    }

    void Publish(const std::string& description) {
        server.Serve(kFilePath, Respond(200, description, "application/octet-stream"));
    }
    // A check from a freshly opened window against a published description.
    update::UpdatePage CheckWith(const std::string& description) {
        Frm_Update check(system, program.path());
        Publish(description);
        check.LnkCheck_Click();
        return check.Page();
    }
    std::string LocalFile() const { return program / "qxupdt.qdt"; }
    static std::string Https(const std::string& path) { return "https://downloads.clarimo.example" + path; }

    testing_support::TempFolder program;
    testing_support::LoopbackHttpServer server;
    testing_support::TestUpdateSystem system;
    Frm_Update logic{system, program.path()};
    std::vector<std::string> statuses;
};

TEST_F(UpdateCheck, TheSameOrAnUnreadableReleaseIsCurrent) {
    Publish("[programinfo]\r\nversion=2.1\r\nbuild=12\r\ndate=1 May\r\nsizefl=5 MB\r\n");
    logic.LnkCheck_Click();

    EXPECT_EQ(logic.Page().state, UpdateState::Current);
    EXPECT_EQ(logic.Page().statusText,
              "There are no available updates for clarimo for now\r\nYou are using the latest version.");

    // The two waits of two seconds, with their texts, then the download.
    EXPECT_EQ(system.pauses, (std::vector<double>{2, 2}));
    ASSERT_GE(statuses.size(), 3u);
    EXPECT_EQ(statuses[statuses.size() - 3], "Connecting to server...");
    EXPECT_EQ(statuses[statuses.size() - 2], "Checking for Update...");
    // No build reads as 0; a version that is no number as the default 1.
    EXPECT_EQ(CheckWith("[programinfo]\r\nversion=2.1\r\n").state, UpdateState::Current);
    EXPECT_EQ(CheckWith("[programinfo]\r\nversion=two point five\r\nbuild=3\r\n").state, UpdateState::Current);
    EXPECT_FALSE(testing_support::Exists(LocalFile()));
}

TEST_F(UpdateCheck, OffersShowTheNumbersAndThePackagesDescribed) {
    struct Case {
        std::string description;
        std::string result;
        std::vector<std::string> rows;
        int updatePlace;  // -1: not offered
        int fullPlace;
    };
    const std::string packages = "filefl=" + Https("/full.exe") + "\r\nfilesm=" + Https("/update.exe") + "\r\n";
    const Case cases[] = {
        // A newer build is named; without sizes nothing is offered.
        {"version=2.1\r\nbuild=13\r\ndate=today\r\n" + packages,
         "Version 2.1 Build (13) is available for download.",
         {"Program Version : 2.1 Build (13)", "Date : today"},
         -1,
         -1},
        {"version=2.5\r\nsizefl=9 MB\r\nsizesm=1 MB\r\n" + packages,
         "Version 2.5 is available for download.",
         {"Program Version : 2.5", "Date : ", "File Size : 9 MB Full Version, 1 MB For Update only"},
         0,
         1},
        // One package alone takes the first place; an older build of a newer version is not named.
        {"version=3.0\r\nbuild=5\r\nsizefl=9 MB\r\n" + packages,
         "Version 3 is available for download.",
         {"Program Version : 3", "Date : ", "File Size : 9 MB"},
         -1,
         0},
    };
    for (const Case& c : cases) {
        const auto page = CheckWith("[programinfo]\r\n" + c.description);
        EXPECT_EQ(page.state, UpdateState::UpdateOffered) << c.description;
        EXPECT_EQ(page.resultText, c.result);
        EXPECT_EQ(page.detailRows, c.rows);
        EXPECT_EQ(page.downloadUpdate.visible ? page.downloadUpdate.position : -1, c.updatePlace) << c.description;
        EXPECT_EQ(page.downloadFull.visible ? page.downloadFull.position : -1, c.fullPlace) << c.description;
    }
    EXPECT_FALSE(testing_support::Exists(LocalFile()));
}

TEST_F(UpdateCheck, AnErrorAnswerAPageThatIsNoDescriptionOrASilentServerCannotBeRead) {
    // A stale file from an earlier run, read-only even, must not be read
    // either, nor stay.
    testing_support::WriteFile(LocalFile(), "[programinfo]\r\nversion=9\r\n");
    ::SetFileAttributesW(platform::ToSystemPath(LocalFile()).c_str(), FILE_ATTRIBUTE_READONLY);
    server.Serve(kFilePath, Respond(404, "<html><body>Not here</body></html>", "text/html"));
    logic.LnkCheck_Click();
    EXPECT_EQ(logic.Page().state, UpdateState::DownloadFailed);
    EXPECT_EQ(logic.Page().statusText, "Can't read update information.");
    EXPECT_FALSE(testing_support::Exists(LocalFile()));

    // A captive portal or a server error page answered with success.
    for (const std::string& page : {std::string("<html><head><title>Sign in</title></head><body>Wi-Fi</body></html>"),
                                    std::string("[programinfo]\r\nbuild=99\r\n"), std::string()}) {
        EXPECT_EQ(CheckWith(page).state, UpdateState::DownloadFailed) << page;
        EXPECT_FALSE(testing_support::Exists(LocalFile()));
    }

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

TEST_F(UpdateCheck, HostileDownloadAddressesAreNeitherOfferedNorHandedOn) {
    const std::string hostile = "file:///C:/Windows/System32/calc.exe";
    Publish("[programinfo]\r\nversion=2.5\r\nsizefl=9 MB\r\nsizesm=1 MB\r\nfilefl=" + hostile +
            "\r\nfilesm=" + hostile + "\r\n");
    logic.LnkCheck_Click();
    EXPECT_EQ(logic.Page().state, UpdateState::UpdateOffered);
    EXPECT_FALSE(logic.Page().downloadUpdate.visible || logic.Page().downloadFull.visible);
    EXPECT_FALSE(logic.StartDownload(hostile));
    logic.LnkDownloadFull_Click();
    logic.LnkDownloadUpdate_Click();
    EXPECT_TRUE(system.dialogAddresses.empty());
}

TEST_F(UpdateCheck, WithoutAConnectionNothingIsFetchedAndTheNextCheckStartsClean) {
    system.connected = false;
    logic.LnkCheck_Click();

    const auto& page = logic.Page();
    EXPECT_EQ(page.state, UpdateState::NoConnection);
    EXPECT_TRUE(page.errorShown);
    EXPECT_EQ(page.statusText, "No internet connection detected...");
    EXPECT_FALSE(page.pictureVisible);
    EXPECT_TRUE(server.Requests().empty());

    system.connected = true;
    Publish("[programinfo]\r\nversion=2.1\r\nbuild=12\r\n");
    logic.LnkCheck_Click();
    EXPECT_EQ(page.state, UpdateState::Current);
    EXPECT_FALSE(page.errorShown);
    EXPECT_TRUE(page.pictureVisible);
}

TEST_F(UpdateCheck, ClosingDuringEitherWaitOrTheFetchEndsTheCheckThereAndLeavesNoFile) {
    // The fetch is answered only after a minute: closing must end it.
    CannedResponse late = Respond(200, "[programinfo]\r\nversion=2.5\r\nsizefl=1 MB\r\nfilefl=" + Https("/f.exe"));
    late.delayMs = 60000;
    server.Serve(kFilePath, late);
    for (size_t closeInWait : {1u, 2u, 3u}) {  // 3: while the worker waits for the answer
        Frm_Update check(system, program.path());
        int changesAfterClose = 0;
        check.SetOnChange([&] { changesAfterClose += check.Closed() ? 1 : 0; });
        system.pauses.clear();
        system.duringPause = [&](size_t wait) {
            if (wait == closeInWait) check.Form_Unload();
        };
        check.runWaiting = [&, steps = 0](const std::function<void()>& step) mutable {
            if (++steps == 1) return step();  // the connection test
            std::thread worker(step);
            while (server.Requests().empty()) std::this_thread::yield();
            check.Form_Unload();  // as the interface thread would, from the pump
            worker.join();
        };
        check.LnkCheck_Click();

        EXPECT_EQ(system.pauses.size(), std::min<size_t>(closeInWait, 2));
        EXPECT_EQ(server.Requests().size(), closeInWait == 3 ? 1u : 0u);
        EXPECT_EQ(changesAfterClose, 0);
        EXPECT_NE(check.Page().state, UpdateState::UpdateOffered);
        EXPECT_FALSE(testing_support::Exists(LocalFile()));
    }
}

TEST_F(UpdateCheck, NumbersReadAndShowWithAPointInACommaLocale) {
    const CommaLocale comma;
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");  // the environment really is a comma one

    const auto page = CheckWith("[programinfo]\r\nversion=2.5\r\nbuild=14.5\r\n");
    EXPECT_EQ(page.resultText, "Version 2.5 Build (14.5) is available for download.");
    // "2,5" is not a number in the file: it reads as the default, 1.
    EXPECT_EQ(CheckWith("[programinfo]\r\nversion=2,5\r\nbuild=12\r\n").state, UpdateState::Current);
}

}  // namespace

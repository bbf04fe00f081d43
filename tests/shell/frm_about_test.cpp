#include "shell/frm_about.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/module_path.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"

namespace shell {
namespace {

struct RecordingAbout {
    testing_support::ScriptedPrompts prompts;
    Frm_About page{prompts};
    std::vector<std::string> opened;
    std::vector<std::string> mailed;
    int updates = 0;
    RecordingAbout() {
        page.openPath = [this](const std::string& path) {
            opened.push_back(path);
            return true;
        };
        page.sendEmail = [this](const std::string& address) {
            mailed.push_back(address);
            return true;
        };
        page.showUpdate = [this] { ++updates; };
    }
};

TEST(FrmAbout, LinksOpenTheMakersPagesTheReadmeAndTheUpdateWindow) {
    RecordingAbout r;
    r.page.LnkHome.OnKeyActivate();
    r.page.LnkEmail.OnKeyActivate();
    r.page.LnkReadme.OnKeyActivate();
    r.page.LnkUpdate.OnKeyActivate();
    const std::string readme = platform::ExecutableFolder() + "\\readme.txt";
    EXPECT_EQ(r.opened, (std::vector<std::string>{"https://www.clarimo.example/programs/qx/index.html", readme}));
    EXPECT_EQ(r.mailed, std::vector<std::string>{"support@clarimo.example"});
    EXPECT_EQ(r.updates, 1);
    EXPECT_EQ(r.page.LnkUpdate.Caption(), "Check for Update");
    EXPECT_TRUE(r.prompts.messages.empty());
    // The test runner puts the project's readme beside the test program.
    EXPECT_TRUE(testing_support::Exists(readme));
    EXPECT_NE(testing_support::ReadFileBytes(readme).find("Clarimo"), std::string::npos);
}

}  // namespace
}  // namespace shell

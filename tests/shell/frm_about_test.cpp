#include "shell/frm_about.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/module_path.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"

namespace shell {
namespace {

TEST(FrmAbout, LinksOpenTheMakersPagesTheReadmeAndTheUpdateWindow) {
    testing_support::ScriptedPrompts prompts;
    Frm_About page{prompts};
    std::vector<std::string> opened;
    int updates = 0;
    page.openPath = [&](const std::string& path) {
        opened.push_back(path);
        return true;
    };
    page.sendEmail = [&](const std::string& address) {
        opened.push_back("mail " + address);
        return true;
    };
    page.showUpdate = [&] { ++updates; };
    for (controls::Link* link : {&page.LnkHome, &page.LnkEmail, &page.LnkReadme, &page.LnkUpdate})
        link->OnKeyActivate();
    const std::string readme = platform::ExecutableFolder() + "\\readme.txt";
    EXPECT_EQ(opened, (std::vector<std::string>{"https://www.clarimo.example/programs/qx/index.html",
                                                "mail support@clarimo.example", readme}));
    EXPECT_EQ(updates, 1);
    EXPECT_TRUE(prompts.messages.empty());
    // The test runner puts the project's readme beside the test program.
    EXPECT_NE(testing_support::ReadFileBytes(readme).find("Clarimo"), std::string::npos);
}

}  // namespace
}  // namespace shell

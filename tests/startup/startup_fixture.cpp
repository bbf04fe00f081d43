#include "startup_fixture.h"

#include <objbase.h>
#include <shlobj.h>

#include "platform/handles.h"
#include "platform/utf.h"

namespace startup_test {

using platform::ToUtf8;
using platform::ToWide;

void MakeShortcut(const std::string& path, const std::string& target, const std::string& arguments,
                  const std::string& workingFolder) {
    platform::ComApartment com;
    platform::ComPtr<IShellLinkW> link;
    platform::ComPtr<IPersistFile> file;
    ASSERT_TRUE(SUCCEEDED(link.create(CLSID_ShellLink, IID_IShellLinkW)));
    ASSERT_TRUE(SUCCEEDED(link.queryInterface(IID_IPersistFile, file)));
    link->SetPath(ToWide(target).c_str());
    link->SetArguments(ToWide(arguments).c_str());
    link->SetWorkingDirectory(ToWide(workingFolder).c_str());
    ASSERT_TRUE(SUCCEEDED(file->Save(ToWide(path).c_str(), TRUE))) << path;
}

ShortcutInfo ReadShortcut(const std::string& path) {
    platform::ComApartment com;
    platform::ComPtr<IShellLinkW> link;
    platform::ComPtr<IPersistFile> file;
    if (FAILED(link.create(CLSID_ShellLink, IID_IShellLinkW)) || FAILED(link.queryInterface(IID_IPersistFile, file)) ||
        FAILED(file->Load(ToWide(path).c_str(), STGM_READ)))
        return {};
    wchar_t target[1024] = {}, arguments[1024] = {};
    link->GetPath(target, 1024, nullptr, SLGP_RAWPATH);
    link->GetArguments(arguments, 1024);
    return {ToUtf8(target), ToUtf8(arguments)};
}

int RowOf(const startup::Frm_Startup& page, const std::string& name) {
    for (size_t i = 0; i < page.Rows().size(); ++i)
        if (page.Rows()[i].entry.name == name) return static_cast<int>(i);
    return -1;
}

void WaitForProgramInfo(startup::Frm_Startup& page) {
    for (int i = 0; i < 2000 && !page.ProgramInfoComplete(); ++i) {
        ::Sleep(10);
        page.DrainProgramInfo();
    }
    ASSERT_TRUE(page.ProgramInfoComplete());
}

StartupPlaces::StartupPlaces() {
    using startup::Hive;
    constexpr Hive user = Hive::CurrentUser;
    where_.registry[0] = {{user, machineRun()}, {user, machineRun32()}};
    where_.registry[1] = {{user, machineRunOnce()}};
    where_.registry[2] = {{user, userRun(), approvedRun()}, {user, userPolicy(), {}, true}};
    where_.registry[3] = {{user, userRunOnce()}};
    where_.userStartupApproved = {user, approvedFolder()};
    where_.commonStartupFolder = temp_ / "Common Startup";
    where_.userStartupFolder = temp_ / "User Startup";
    testing_support::MakeFolder(where_.commonStartupFolder);
    testing_support::MakeFolder(where_.userStartupFolder);
    where_.allUsersKeepingFile = temp_ / "Ass.ini";
    where_.currentUserKeepingFile = temp_ / "Css.ini";
    where_.allUsersKeepingFolder = temp_ / "Startup Disabled\\All Users";
    where_.currentUserKeepingFolder = temp_ / "Startup Disabled\\Current User";
}

}  // namespace startup_test

#include "privacy/privacy_catalogue.h"

namespace privacy {

const std::array<CatalogueItem, kItemCount>& Catalogue() {
    using G = ItemGroup;
    static const std::array<CatalogueItem, kItemCount> items = {{
        {"Temp Folder", G::Windows},
        {"History Folder", G::Windows},
        {"Recent Documents", G::Windows},
        {"Run Menu *", G::Windows},
        {"Find Files && Text Search *", G::Windows},
        {"Empty Recycle Bin", G::Windows},
        {"Windows Clipboard", G::Windows},
        {"Windows Media Player", G::Windows},
        {"Opened && Saved Files History *", G::Windows},
        {"All typed URL's", G::InternetExplorer},
        {"Internet cache && History (Visited Url's)", G::InternetExplorer},
        {"Cookies", G::InternetExplorer},
        {"MS WordPad",
         G::Programs,
         "Ms WordPad",
         "Ms WordPad (No Recent)",
         {"Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Wordpad\\Recent File List"}},
        {"MS Paint",
         G::Programs,
         "MS Paint",
         "MS Paint (No Recent)",
         {"Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List"}},
        {"Win Zip", G::Programs, "Win Zip", "Win Zip (No Recent)", {"Software\\Nico Mak Computing\\WinZip\\filemenu"}},
        {"Win Rar", G::Programs, "Win Rar", "Win Rar  (No Recent)", {"Software\\WinRAR\\ArcHistory"}},
        {"Google Tool Bar Search Text",
         G::Programs,
         "Google Tool Bar Search Text",
         "Google Tool Bar Search Text (No Recent)",
         {"Software\\Google\\NavClient\\1.1\\History"}},
        {"Nero Burning ROM",
         G::Programs,
         "Nero Burning ROM",
         "Nero Burning ROM (No Recent)",
         {"Software\\Ahead\\Nero - Burning Rom\\Recent File List"}},
        {"ACDSee", G::Programs, "ACDSee", "ACDSee (No Recent)", {"Software\\ACD Systems\\ACDSee"}, "LastFolder"},
        {"Adobe Acrobat Reader 5.0 && 6.0 ",
         G::Programs,
         "Adobe Acrobat Reader 5.0 && 6.0",
         "Adobe Acrobat Reader 5.0 && 6.0 (No Recent)",
         {"Software\\Adobe\\Acrobat Reader\\5.0\\AVGeneral\\cRecentFiles",
          "Software\\Adobe\\Acrobat Reader\\6.0\\AVGeneral\\cRecentFiles"}},
        {"Google Chrome Cache", G::ModernBrowsers},
        {"Microsoft Edge Cache", G::ModernBrowsers},
        {"Mozilla Firefox Cache", G::ModernBrowsers},
    }};
    return items;
}

const char* GroupCaption(ItemGroup group) {
    switch (group) {
        case ItemGroup::Windows:
            return "Windows Clean";
        case ItemGroup::InternetExplorer:
            return "Internet Explorer";
        case ItemGroup::Programs:
            return "Programs";
        case ItemGroup::ModernBrowsers:
            return "Modern Browsers";
    }
    return "";
}

}  // namespace privacy

#include "controls/theme.h"

#include <algorithm>
#include <vector>

namespace controls {
namespace {

constexpr std::array<ThemeRow, kThemeCount> kTable = {{
    {"Blue (Default)", Rgb(100, 135, 220), Rgb(169, 193, 242), Rgb(62, 116, 217), Rgb(243, 248, 254),
     Rgb(148, 184, 243)},
    {"Green", Rgb(72, 185, 30), Rgb(216, 247, 204), Rgb(0, 128, 0), Rgb(236, 251, 230), Rgb(141, 227, 108)},
    {"Red", Rgb(255, 128, 128), Rgb(255, 213, 218), Rgb(128, 0, 0), Rgb(255, 244, 245), Rgb(255, 170, 179)},
    {"Gray", Rgb(128, 128, 128), Rgb(207, 207, 207), Rgb(64, 64, 64), Rgb(238, 238, 238), Rgb(184, 184, 184)},
    {"Orange", Rgb(239, 172, 33), Rgb(249, 225, 170), Rgb(160, 116, 12), Rgb(253, 244, 225), Rgb(247, 209, 132)},
    {"Magenta", Rgb(255, 128, 255), Rgb(248, 222, 248), Rgb(184, 20, 184), Rgb(253, 242, 253), Rgb(242, 174, 242)},
}};

struct Subscriber {
    uint64_t id;
    ThemeStage stage;
    std::function<void()> recolour;
};

std::vector<Subscriber>& Subscribers() {
    static std::vector<Subscriber> subscribers;
    return subscribers;
}

uint64_t nextId = 1;

}  // namespace

int ThemeIndex = 0;
Color ThemeColor = kTable[0].color;
Color ThemeLightColor = kTable[0].light;
Color ThemeBackColor = kTable[0].back;
Color ThemeTextColor = kTable[0].text;

const std::array<ThemeRow, kThemeCount>& ThemeTable() { return kTable; }

int NormalizeThemeIndex(int index) { return index >= 0 && index < kThemeCount ? index : 0; }

Color ThemeBorderColor() { return kTable[static_cast<size_t>(NormalizeThemeIndex(ThemeIndex))].border; }

void SetThemeValues(int index) {
    ThemeIndex = NormalizeThemeIndex(index);
    const ThemeRow& row = kTable[static_cast<size_t>(ThemeIndex)];
    ThemeColor = row.color;
    ThemeLightColor = row.light;
    ThemeBackColor = row.back;
    ThemeTextColor = row.text;
}

ThemeSubscription& ThemeSubscription::operator=(ThemeSubscription&& other) noexcept {
    if (this != &other) {
        Reset();
        id_ = other.id_;
        other.id_ = 0;
    }
    return *this;
}

void ThemeSubscription::Reset() {
    if (id_ == 0) return;
    auto& subscribers = Subscribers();
    std::erase_if(subscribers, [this](const Subscriber& s) { return s.id == id_; });
    id_ = 0;
}

ThemeSubscription SubscribeTheme(ThemeStage stage, std::function<void()> recolour) {
    const uint64_t id = nextId++;
    Subscribers().push_back({id, stage, std::move(recolour)});
    return ThemeSubscription(id);
}

void NotifyThemeSubscribers() {
    // A snapshot: callbacks may (un)subscribe while we walk.
    std::vector<Subscriber> snapshot = Subscribers();
    std::stable_sort(snapshot.begin(), snapshot.end(),
                     [](const Subscriber& a, const Subscriber& b) { return a.stage < b.stage; });
    for (const Subscriber& s : snapshot) {
        // Skip subscribers removed by an earlier callback of this round.
        const auto& live = Subscribers();
        const bool stillThere =
            std::any_of(live.begin(), live.end(), [&](const Subscriber& l) { return l.id == s.id; });
        if (stillThere && s.recolour) s.recolour();
    }
}

}  // namespace controls

#include "shell/main_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace shell {
namespace {

bool Inside(const Box& inner, const Box& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

TEST(MainLayout, NothingOverlapsAndNothingIsClippedAtEitherDpiInEitherView) {
    for (unsigned dpi : {96u, 144u}) {
        for (bool compact : {false, true}) {
            SCOPED_TRACE(std::to_string(dpi) + (compact ? " compact" : " full"));
            const ClientSize size96 = MainClientSize96(compact);
            const Box client{0, 0, ScaleLength(size96.width, dpi), ScaleLength(size96.height, dpi)};
            const MainLayout layout = LayOutMainWindow(client.right, client.bottom, dpi, compact);

            // The program icon is there, in the header; the title only in the full view.
            ASSERT_FALSE(layout.logo.Empty());
            EXPECT_TRUE(Inside(layout.logo, layout.header));
            EXPECT_EQ(layout.title.Empty(), compact);

            std::vector<std::pair<std::string, Box>> shown = {{"logo", layout.logo},
                                                              {"title", layout.title},
                                                              {"tip", layout.tip},
                                                              {"toggle", layout.toggle},
                                                              {"page area", layout.pageArea},
                                                              {"close", layout.close},
                                                              {"two buttons", layout.ButtonStrip(2)},
                                                              {"privacy note", layout.privacyNote},
                                                              {"privacy balloon", layout.privacyBalloon}};
            for (int page = 0; page < kPageCount; ++page) {
                EXPECT_EQ(layout.tabs[page].Empty(), compact);
                EXPECT_EQ(layout.rounds[page].Empty(), !compact);
                EXPECT_TRUE(!compact || Inside(layout.rounds[page], layout.header)) << page;
                shown.push_back({"tab " + std::to_string(page), layout.tabs[page]});
                shown.push_back({"round " + std::to_string(page), layout.rounds[page]});
            }
            for (size_t i = 0; i < shown.size(); ++i) {
                const Box& a = shown[i].second;
                if (a.Empty()) continue;
                EXPECT_TRUE(Inside(a, client)) << shown[i].first;
                for (size_t j = i + 1; j < shown.size(); ++j) {
                    const Box& b = shown[j].second;
                    const bool overlap =
                        !b.Empty() && a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
                    EXPECT_FALSE(overlap) << shown[i].first << " / " << shown[j].first;
                }
            }
            // Three command buttons still fit beside Close and under the page area.
            const Box strip = layout.ButtonStrip(3);
            EXPECT_TRUE(strip.right <= layout.close.left && strip.top >= layout.pageArea.bottom);
        }
    }
}

}  // namespace
}  // namespace shell

#include "shell/main_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace shell {
namespace {

bool Overlap(const Box& a, const Box& b) {
    return !a.Empty() && !b.Empty() && a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Inside(const Box& inner, const Box& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

TEST(MainLayout, NothingOverlapsAndNothingIsClippedAtEitherDpiInEitherView) {
    for (unsigned dpi : {96u, 144u}) {
        for (bool compact : {false, true}) {
            SCOPED_TRACE(std::to_string(dpi) + (compact ? " compact" : " full"));
            const ClientSize size96 = MainClientSize96(compact);
            const int width = ScaleLength(size96.width, dpi);
            const int height = ScaleLength(size96.height, dpi);
            const MainLayout layout = LayOutMainWindow(width, height, dpi, compact);
            const Box client{0, 0, width, height};

            // The program icon is there, in the header, at its size.
            ASSERT_FALSE(layout.logo.Empty());
            EXPECT_TRUE(Inside(layout.logo, layout.header));
            EXPECT_EQ(layout.title.Empty(), compact);

            struct Named {
                std::string name;
                Box box;
            };
            std::vector<Named> shown = {{"logo", layout.logo},
                                        {"title", layout.title},
                                        {"tip", layout.tip},
                                        {"toggle", layout.toggle},
                                        {"page area", layout.pageArea},
                                        {"close", layout.close},
                                        {"two command buttons", layout.ButtonStrip(2)},
                                        {"privacy note", layout.privacyNote},
                                        {"privacy balloon", layout.privacyBalloon}};
            for (int page = 0; page < kPageCount; ++page) {
                EXPECT_EQ(layout.tabs[page].Empty(), compact);
                EXPECT_EQ(layout.rounds[page].Empty(), !compact);
                shown.push_back({"tab " + std::to_string(page), layout.tabs[page]});
                shown.push_back({"round " + std::to_string(page), layout.rounds[page]});
                if (compact) {
                    EXPECT_TRUE(Inside(layout.rounds[page], layout.header)) << page;
                }
            }
            for (size_t i = 0; i < shown.size(); ++i) {
                if (shown[i].box.Empty()) continue;
                EXPECT_TRUE(Inside(shown[i].box, client)) << shown[i].name;
                for (size_t j = i + 1; j < shown.size(); ++j)
                    EXPECT_FALSE(Overlap(shown[i].box, shown[j].box)) << shown[i].name << " / " << shown[j].name;
            }
            // Three command buttons still fit beside Close and under the page area.
            const Box strip = layout.ButtonStrip(3);
            EXPECT_LE(strip.right, layout.close.left);
            EXPECT_GE(strip.top, layout.pageArea.bottom);
        }
    }
}

}  // namespace
}  // namespace shell

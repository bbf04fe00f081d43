#include "controls/prog_bar.h"

#include <gtest/gtest.h>

namespace controls {
namespace {

TEST(ProgBar, FilledWidthFollowsTheValueWithinTheRange) {
    const struct {
        int min, max, value, width, filled;
    } cases[] = {
        {0, 3, 2, 300, 200},
        {5, 5, 5, 200, 0},      // min = max: nothing filled
        {5, 10, 0, 200, 0},     // below the range
        {5, 10, 50, 200, 200},  // beyond it: full, never more
    };
    for (const auto& c : cases) {
        ProgBar bar;
        bar.SetBarMin(c.min);
        bar.SetBarMax(c.max);
        bar.SetBarValue(c.value);
        EXPECT_EQ(bar.Drawing().FilledWidth(c.width), c.filled) << c.min << ".." << c.max << ": " << c.value;
    }
}

TEST(ProgBar, SegmentsCoverTheFilledPartInBlocksAndTextShowsOnlyWhenAsked) {
    cProgressBar d;
    d.Value = 45;
    const auto blocks = d.Blocks(100, 8, 2);
    ASSERT_EQ(blocks.size(), 5u);
    EXPECT_EQ(blocks[1].left, 10);
    EXPECT_EQ(blocks.back().right, 45);  // the last block is cut at the filled edge
    d.Value = 0;
    EXPECT_TRUE(d.Blocks(100, 8, 2).empty());

    d.Text.assign(1, 'x');  // (assigning a literal trips a false GCC 12 warning)
    EXPECT_EQ(d.DisplayText(), "");
    d.ShowText = true;
    EXPECT_EQ(d.DisplayText(), " x ");
}

}  // namespace
}  // namespace controls

#include "appearance/layout_formulas.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(LayoutFormulas, DesignWidthGivesEighthTabsAndThreeEqualPanels) {
    EXPECT_EQ(TabWidth(378, 7), 47);
    EXPECT_EQ(ClockPanelWidth(100), 120);
    EXPECT_EQ(OtherPanelWidth(378, 120), 86);
    // Multiplication comes first, the remainder is dropped.
    EXPECT_EQ(ClockPanelWidth(101), 121);
    EXPECT_EQ(IntervalBoxWidth(374, 4), 74);
}

TEST(LayoutFormulas, HintCheckBoxIsCentredInItsCell) {
    EXPECT_EQ(CentredLeftMargin(370, 2, 106), 39);
    // A cell narrower than the box gives a negative margin, rounded toward zero.
    EXPECT_EQ(CentredLeftMargin(200, 2, 103), -1);
}

TEST(LayoutFormulas, SelectedRowIsCentred) {
    EXPECT_EQ(CentredTopIndex(159, 9 * 17, 17), 155);
    EXPECT_EQ(CentredTopIndex(159, 9 * 17 + 16, 17), 155);  // a partly visible row does not count
    EXPECT_EQ(CentredTopIndex(3, 10 * 17, 17), 0);          // near the top: the list's first row
    EXPECT_EQ(CentredTopIndex(-1, 10 * 17, 17), 0);         // nothing selected
}

}  // namespace
}  // namespace tw

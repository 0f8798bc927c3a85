#include "core/FocusRows.h"

#include "ui/LauncherLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

using core::Arrow;

int IndexOf(std::string_view name) {
    for (size_t i = 0; i < std::size(ui::layout::kButtons); ++i)
        if (name == ui::layout::kButtons[i].name)
            return static_cast<int>(i);
    return -1;
}

struct Move {
    const char *from, *left, *right, *up, *down;
};

// Rows: the title buttons, the large ones, the bottom row. Up and Down land on the button of
// the next row whose middle lies nearest; all four keys wrap round.
constexpr Move kLauncherMoves[] = {
    {"ButtonMin", "ButtonClose2", "ButtonClose2", "ButtonHome", "ButtonMoreTools"},
    {"ButtonClose2", "ButtonMin", "ButtonMin", "ButtonHome", "ButtonMoreTools"},
    {"ButtonDataCDDVD", "ButtonMoreTools", "ButtonVCDDVDVideo", "ButtonMin", "ButtonHelp"},
    {"ButtonVCDDVDVideo", "ButtonDataCDDVD", "ButtonAudioCD", "ButtonMin", "ButtonAbout"},
    {"ButtonAudioCD", "ButtonVCDDVDVideo", "ButtonMoreTools", "ButtonMin", "ButtonHome"},
    {"ButtonMoreTools", "ButtonAudioCD", "ButtonDataCDDVD", "ButtonMin", "ButtonHome"},
    {"ButtonHelp", "ButtonHome", "ButtonAbout", "ButtonDataCDDVD", "ButtonMin"},
    {"ButtonAbout", "ButtonHelp", "ButtonHome", "ButtonVCDDVDVideo", "ButtonMin"},
    {"ButtonHome", "ButtonAbout", "ButtonHelp", "ButtonAudioCD", "ButtonMin"},
};

class LauncherArrows : public ::testing::TestWithParam<Move> {};

TEST_P(LauncherArrows, MoveAlongTheRowOrToTheNearestButtonOfTheNextRow) {
    std::vector<core::Box> boxes;
    for (const auto& b : ui::layout::kButtons)
        boxes.push_back(
            {b.bounds.left, b.bounds.top, b.bounds.left + b.bounds.width, b.bounds.top + b.bounds.height});
    const Move& m = GetParam();
    const int from = IndexOf(m.from);
    EXPECT_EQ(core::RowNeighbour(boxes, from, Arrow::Left), IndexOf(m.left));
    EXPECT_EQ(core::RowNeighbour(boxes, from, Arrow::Right), IndexOf(m.right));
    EXPECT_EQ(core::RowNeighbour(boxes, from, Arrow::Up), IndexOf(m.up));
    EXPECT_EQ(core::RowNeighbour(boxes, from, Arrow::Down), IndexOf(m.down));
}

INSTANTIATE_TEST_SUITE_P(EveryButton, LauncherArrows, ::testing::ValuesIn(kLauncherMoves),
                         [](const auto& info) { return std::string(info.param.from); });

} // namespace

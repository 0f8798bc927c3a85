#include "core/FocusRows.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace core {

namespace {

using Row = std::vector<int>; // indices, left to right

// Rows top to bottom; a box joins the row whose vertical extent it overlaps.
std::vector<Row> Rows(std::span<const Box> boxes) {
    std::vector<int> order(boxes.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return boxes[a].top < boxes[b].top; });
    std::vector<Row> rows;
    int rowBottom = 0;
    for (int i : order) {
        if (rows.empty() || boxes[i].top >= rowBottom) {
            rows.push_back({});
            rowBottom = boxes[i].bottom;
        }
        rows.back().push_back(i);
        rowBottom = std::max(rowBottom, boxes[i].bottom);
    }
    for (Row& row : rows)
        std::stable_sort(row.begin(), row.end(), [&](int a, int b) { return boxes[a].left < boxes[b].left; });
    return rows;
}

// Twice the horizontal middle, so that no division rounds.
int Middle2(const Box& b) {
    return b.left + b.right;
}

} // namespace

int RowNeighbour(std::span<const Box> boxes, int from, Arrow arrow) {
    if (from < 0 || static_cast<size_t>(from) >= boxes.size())
        return -1;
    const std::vector<Row> rows = Rows(boxes);
    const int rowCount = static_cast<int>(rows.size());
    int r = 0;
    while (std::find(rows[r].begin(), rows[r].end(), from) == rows[r].end())
        ++r;
    const Row& row = rows[r];
    if (arrow == Arrow::Left || arrow == Arrow::Right) {
        const int n = static_cast<int>(row.size());
        const int at = static_cast<int>(std::find(row.begin(), row.end(), from) - row.begin());
        return row[(at + (arrow == Arrow::Right ? 1 : n - 1)) % n];
    }
    const Row& target = rows[(r + (arrow == Arrow::Down ? 1 : rowCount - 1)) % rowCount];
    const int middle = Middle2(boxes[from]);
    int best = target.front();
    for (int i : target)
        if (std::abs(Middle2(boxes[i]) - middle) < std::abs(Middle2(boxes[best]) - middle))
            best = i;
    return best;
}

} // namespace core

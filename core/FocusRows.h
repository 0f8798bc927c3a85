// Arrow-key moves between controls laid out in rows. Boxes whose vertical
// extents overlap (directly or through others) form one row; rows run from
// top to bottom, and a row from left to right. Left and Right move along the
// row, Up and Down to the row above or below, onto the box whose middle lies
// nearest horizontally; every move wraps round at the ends.
#pragma once

#include <span>

namespace core {

struct Box {
    int left, top, right, bottom; // right and bottom exclusive
};

enum class Arrow { Left, Right, Up, Down };

// The index of the box that the move from boxes[from] lands on; from itself
// when it is alone in its direction, -1 when from is not an index of boxes.
int RowNeighbour(std::span<const Box> boxes, int from, Arrow arrow);

} // namespace core

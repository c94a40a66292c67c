#include "media/MarkerPlacement.h"

#include "media/TAUDIListbox.h"

#include <iterator>

namespace {
constexpr int ArcLeft[] = {91, 81, 73, 68, 67, 68, 73, 80, 91};
} // namespace

QPoint MarkerPlacement::listBar(int row, int currentLeft)
{
    const int left = row >= 0 && row < int(std::size(ArcLeft)) ? ArcLeft[row] : currentLeft;
    return {left, row * TAUDIListbox::RowHeight + ScreenAreaTop + 117};
}

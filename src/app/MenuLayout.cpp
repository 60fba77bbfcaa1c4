#include "app/MenuLayout.h"

#include <algorithm>
#include <array>
#include <limits>

namespace app {

namespace {

constexpr int kButtonWidth = 4300;
constexpr int kButtonHeight = 800;

struct Place {
    int left;
    int top;
};

// Left column top to bottom, then the top of the right column.
constexpr std::array<Place, kDesignedExerciseButtons> kDesignedPlaces{{
    {120, 195}, {120, 1200}, {120, 2160}, {120, 3120}, {120, 4035}, {120, 5040}, {5280, 240}, {5280, 1200},
}};

// The height a column's rows share.
struct Column {
    int left;
    int top;
    int bottom;
};

// From the first designed button of the column to the bottom of its last.
constexpr Column kLeftColumn{120, 195, 5040 + kButtonHeight};
// Ends a little above the sounds switch, which stands at 3360.
constexpr Column kRightColumn{5280, 240, 3160};

int rowPitch(const Column& column, int rows)
{
    return rows > 0 ? (column.bottom - column.top) / rows : std::numeric_limits<int>::max();
}

} // namespace

QList<QRect> exerciseButtonPlaces(int count)
{
    QList<QRect> places;
    if (count <= kDesignedExerciseButtons) {
        for (int i = 0; i < count; ++i)
            places.append(QRect(kDesignedPlaces[i].left, kDesignedPlaces[i].top, kButtonWidth, kButtonHeight));
        return places;
    }

    // Both columns take rows of one pitch, the largest that the split of the
    // buttons between them allows; on a tie the left column takes more.
    int leftRows = count;
    int pitch = rowPitch(kLeftColumn, count);
    for (int rows = count - 1; rows >= 0; --rows) {
        const int shared = std::min(rowPitch(kLeftColumn, rows), rowPitch(kRightColumn, count - rows));
        if (shared > pitch) {
            pitch = shared;
            leftRows = rows;
        }
    }
    // A sixth of each row is the gap between buttons, as in the design.
    const int height = std::min(kButtonHeight, pitch - pitch / 6);
    for (int i = 0; i < count; ++i) {
        const bool left = i < leftRows;
        const Column& column = left ? kLeftColumn : kRightColumn;
        const int row = left ? i : i - leftRows;
        places.append(QRect(column.left, column.top + row * pitch, kButtonWidth, height));
    }
    return places;
}

} // namespace app

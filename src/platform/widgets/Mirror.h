#pragma once

#include <QRect>

namespace platform {

// A box mirrored within its parent, for windows of a language written right
// to left: its distance from the parent's left edge becomes its distance from
// the right edge. Mirroring twice within the same width gives the box back.
constexpr int mirroredLeft(int left, int width, int parentWidth)
{
    return parentWidth - left - width;
}

inline QRect mirrored(const QRect& box, int parentWidth)
{
    return QRect(mirroredLeft(box.x(), box.width(), parentWidth), box.y(), box.width(), box.height());
}

} // namespace platform

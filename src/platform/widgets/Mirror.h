#pragma once

#include <QRect>
#include <Qt>

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

// A text's alignment in a mirrored window: left becomes right and right left,
// whichever way the text itself reads (a label of digits or Latin letters
// would otherwise stay on its left); centred and justified texts stay. Applied
// twice it gives the alignment back.
inline Qt::Alignment mirroredAlignment(Qt::Alignment alignment)
{
    const Qt::Alignment sides = Qt::AlignLeft | Qt::AlignRight;
    const Qt::Alignment side = alignment & sides;
    if (side != Qt::AlignLeft && side != Qt::AlignRight)
        return alignment;
    const Qt::Alignment rest = alignment & ~(sides | Qt::AlignAbsolute);
    const Qt::Alignment other = side == Qt::AlignLeft ? Qt::AlignRight : Qt::AlignLeft;
    return alignment.testFlag(Qt::AlignAbsolute) ? rest | other : rest | other | Qt::AlignAbsolute;
}

} // namespace platform

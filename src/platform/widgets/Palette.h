#pragma once

#include <QColor>

namespace platform {

// Indexes into the standard 16-colour palette used for drawing.
enum class PaletteColor : int {
    LightRed = 12,
    Yellow = 14,
    White = 15,
};

QColor paletteColor(int index);
inline QColor paletteColor(PaletteColor c) { return paletteColor(static_cast<int>(c)); }

// A 24-bit colour value with red in the low byte, then green, then blue.
inline QColor colorFromBgr(quint32 value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

} // namespace platform

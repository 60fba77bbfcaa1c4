#pragma once

namespace exercises {

// The classes of an angle by its measure in whole degrees.
enum class AngleClass { Acute, Right, Obtuse, Straight, Concave, Full };

// Whether an angle of the given size belongs to the class: acute below 90,
// right exactly 90, obtuse between 90 and 180, straight exactly 180, concave
// between 180 and 360, full exactly 360.
// The class's name in the words answers are kept with.
constexpr const char* angleClassKey(AngleClass angleClass)
{
    switch (angleClass) {
    case AngleClass::Acute: return "acute";
    case AngleClass::Right: return "right";
    case AngleClass::Obtuse: return "obtuse";
    case AngleClass::Straight: return "straight";
    case AngleClass::Concave: return "concave";
    case AngleClass::Full: return "full";
    }
    return "";
}

constexpr bool belongsTo(AngleClass angleClass, int size)
{
    switch (angleClass) {
    case AngleClass::Acute: return size < 90;
    case AngleClass::Right: return size == 90;
    case AngleClass::Obtuse: return size > 90 && size < 180;
    case AngleClass::Straight: return size == 180;
    case AngleClass::Concave: return size > 180 && size < 360;
    case AngleClass::Full: return size == 360;
    }
    return false;
}

} // namespace exercises

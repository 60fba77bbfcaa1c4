#pragma once

#include <QList>

namespace platform {

// The program's one random number generator: uniform numbers in [0, 1),
// reseeded from the clock. Tests script the numbers it returns.
class Random {
public:
    static double next();
    static void reseedFromClock();

    // Scripted numbers are returned first, in order; after them the generator
    // goes on as usual. drawCount() counts every number handed out.
    static void scriptForTesting(const QList<double>& numbers);
    static int drawCountForTesting();
    static void resetForTesting();
};

// The integer part, rounding towards minus infinity.
int integerPart(double value);

} // namespace platform

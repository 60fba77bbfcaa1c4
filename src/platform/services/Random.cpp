#include "platform/services/Random.h"

#include <QDateTime>
#include <QRandomGenerator>

#include <cmath>
#include <random>

namespace platform {

namespace {
struct State {
    std::mt19937_64 engine{QRandomGenerator::system()->generate64()};
    QList<double> script;
    int draws = 0;
};

State& state()
{
    static State s;
    return s;
}
} // namespace

double Random::next()
{
    State& s = state();
    ++s.draws;
    if (!s.script.isEmpty())
        return s.script.takeFirst();
    // 53 random bits scaled into [0, 1): never 1.
    return double(s.engine() >> 11) * 0x1.0p-53;
}

void Random::reseedFromClock()
{
    state().engine.seed(quint64(QDateTime::currentMSecsSinceEpoch()) ^ QRandomGenerator::system()->generate64());
}

void Random::scriptForTesting(const QList<double>& numbers)
{
    state().script = numbers;
}

int Random::drawCountForTesting()
{
    return state().draws;
}

void Random::resetForTesting()
{
    state().script.clear();
    state().draws = 0;
}

int integerPart(double value)
{
    return static_cast<int>(std::floor(value));
}

} // namespace platform

#include "SimSignals.h"

#include <cmath>
#include <cstdint>

namespace talvo::sim {

namespace {

constexpr double Pi = 3.14159265358979323846;

// Small repeatable noise in -1..1, a function of time only so that runs compare.
double noise(double seconds)
{
    auto x = std::uint64_t(seconds * 1e6) * 0x9E3779B97F4A7C15ull;
    x ^= x >> 29;
    x *= 0xBF58476D1CE4E5B9ull;
    x ^= x >> 32;
    return double(x % 2001) / 1000.0 - 1.0;
}

} // namespace

AnalyzerSample sleepWithBursts(double seconds)
{
    const double phase = seconds - std::floor(seconds);
    AnalyzerSample s;
    if (phase < 0.002)
        s.currentUa = 85000.0 + 2000.0 * noise(seconds);
    else if (phase < 0.020)
        s.currentUa = 12000.0 + 300.0 * noise(seconds);
    else
        s.currentUa = 4.5 + 0.3 * noise(seconds);
    s.voltage1Mv = 3300.0 - s.currentUa * 0.0005 + 2.0 * noise(seconds + 0.5);
    s.voltage2Mv = phase < 0.020 ? 1800.0 : 0.0;
    return s;
}

AnalyzerSample sine(double seconds)
{
    AnalyzerSample s;
    s.currentUa = 50500.0 + 49500.0 * std::sin(2.0 * Pi * 0.5 * seconds);
    s.voltage1Mv = 3300.0;
    s.voltage2Mv = 1800.0;
    return s;
}

AnalyzerSample steady(double)
{
    return AnalyzerSample{1000.0, 3300.0, 1800.0};
}

double steadySupply(int channel, double seconds)
{
    const double wave = std::sin(2.0 * Pi * 0.2 * seconds);
    switch (channel) {
    case 0: return 13.8 + 0.05 * wave;
    case 1: return 2.5 + 0.4 * wave;
    case 2: return 5.1;
    case 3: return 0.85 + 0.1 * wave;
    case 4: return 24.0;
    case 5: return 31.0 + 2.0 * wave;
    case 6: return 230.0;
    case 7: return 50.0;
    case 8: case 10: case 12: return 5.0;
    default: return 0.3 + 0.1 * wave;
    }
}

AnalyzerSignal analyzerSignalNamed(const std::string& name)
{
    if (name == "bursts")
        return sleepWithBursts;
    if (name == "sine")
        return sine;
    if (name == "steady")
        return steady;
    return {};
}

} // namespace talvo::sim

// The shapes the simulated instruments measure unless a test gives its own.
#pragma once

#include "TalvoSim.h"

#include <string>

namespace talvo::sim {

// A device under test that sleeps at a few microamperes and wakes once a second:
// a short radio burst, then a longer busy phase; channel 2 marks the busy phase.
AnalyzerSample sleepWithBursts(double seconds);
// A slow sine between 1 and 100 mA on channel 0, steady voltages.
AnalyzerSample sine(double seconds);
// A steady 1 mA at 3300 mV.
AnalyzerSample steady(double seconds);

// A supply carrying a slowly varying load.
double steadySupply(int channel, double seconds);

// The analyzer signal for a name ("bursts", "sine", "steady"), or an empty function.
AnalyzerSignal analyzerSignalNamed(const std::string& name);

} // namespace talvo::sim

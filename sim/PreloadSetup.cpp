// Set-up of the preloaded simulator for a demo run: the real clock, and the instruments
// named by TALVO_SIM (default: the analyzer), measuring the shape named by
// TALVO_SIM_SIGNAL (bursts, sine or steady; default: bursts).
#include "SimBus.h"
#include "SimSignals.h"
#include "TalvoSim.h"

#include <cstdio>
#include <cstdlib>

namespace {

struct PreloadSetup
{
    PreloadSetup()
    {
        using namespace talvo::sim;
        reset(ClockMode::Real);
        const char* instruments = std::getenv("TALVO_SIM");
        const std::string choice = instruments && *instruments ? instruments : "analyzer";
        if (!configure(choice)) {
            std::fprintf(stderr, "TALVO_SIM=%s: unknown instrument; use analyzer, supply, supply600, "
                                 "bootloader, foreign or none (comma-separated). Plugging the analyzer.\n",
                         choice.c_str());
            configure("analyzer");
        }
        const char* signal = std::getenv("TALVO_SIM_SIGNAL");
        if (signal && *signal) {
            if (AnalyzerSignal shape = analyzerSignalNamed(signal)) {
                SimBus& bus = SimBus::instance();
                std::lock_guard lock(bus.mutex);
                bus.settings.analyzerSignal = shape;
            } else {
                std::fprintf(stderr, "TALVO_SIM_SIGNAL=%s: unknown shape; use bursts, sine or steady.\n", signal);
            }
        }
    }
};

const PreloadSetup setup;

} // namespace

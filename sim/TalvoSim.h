// Control of the simulated instruments that stand behind the hidapi functions.
//
// Tests link the simulator in place of hidapi and steer it from here: plug and unplug
// instruments, shape what the analyzer and the supplies measure, lose or inject
// reports, read back every report the program wrote, and drive the clock so that
// nothing has to sleep. A demo run preloads the shared build instead and chooses the
// instruments with the environment variable TALVO_SIM (see configure()).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace talvo::sim {

enum class Kind {
    Analyzer,   // micro-power analyzer, serial "5001..."
    Supply,     // Duriz 500 bench supply, serial "5002..."
    Supply600,  // Vuviv 600 bench supply, serial "5002...", four USB ports
    Bootloader, // the instruments' HID bootloader (its own product id)
    Foreign     // the instruments' product id with another serial prefix ("5003...")
};

enum class ClockMode { Driven, Real };

// How the bootloader answers the first chunk and the finish command.
enum class BootloaderBehaviour {
    Acknowledge,      // acknowledges both
    Silent,           // answers nothing
    Refuse,           // answers with a refusal
    SilentOnFinish,   // acknowledges the first chunk, then never the finish
    RejectLaterChunks // acknowledges the first chunk, then refuses to take the next reports
};

struct AnalyzerSample
{
    double currentUa = 0.0;  // channel 0, microamperes
    double voltage1Mv = 0.0; // channel 1, millivolts
    double voltage2Mv = 0.0; // channel 2, millivolts
};

// What the analyzer measures, at a time in seconds since the start of the run.
using AnalyzerSignal = std::function<AnalyzerSample(double seconds)>;
// What a supply measures on a channel (its unit: V, A, degrees C, Hz), at a time in seconds.
using SupplySignal = std::function<double(int channel, double seconds)>;

// Everything unplugged, defaults restored, clock at zero in the given mode.
void reset(ClockMode mode = ClockMode::Driven);

// Plugs an instrument in; returns its device number. An empty serial means the kind's
// default. Each plug is a new device, so a re-plug gets a new number.
int plug(Kind kind, const std::wstring& serial = {});
// Plugs an instrument whose serial-number string the USB stack cannot read.
int plugWithoutSerial(Kind kind);
void unplug(int device);
bool isPlugged(int device);
// The plugged device of that kind that was plugged first, or -1.
int find(Kind kind);
std::wstring defaultSerial(Kind kind);

// Opening the device fails (as for a user without access rights).
void setOpenFails(int device, bool fails);

// Independent clock: the instruments follow the steady clock, `speed` times faster than
// real time, on a thread of their own, as a real instrument keeps sending while the
// program is busy. Reports that find the device's buffer full are lost (see
// streamCounts). Ended by stopIndependentClock or reset. `processor`, when not -1, keeps
// the clock's thread on that processor: a real instrument takes no time from the
// computer, so a benchmark can keep the simulated one off the processors the program uses.
// With a processor of its own the clock waits for each step without sleeping, as an
// instrument's clock never pauses: a sleeping thread runs again when the system wakes
// it, which on a virtual machine can be milliseconds late. Without one it sleeps between
// steps, at a real-time priority where the system allows it.
void runIndependentClock(double speed, int processor = -1);
void stopIndependentClock();
// The independent clock's own figures: its CPU time, and the longest wall time between
// two of its steps (reports due in between leave in one burst).
struct ClockThreadFigures
{
    double cpuSeconds = 0.0;
    double longestPauseMs = 0.0;
    bool realtimePriority = false; // the system let the clock run at a real-time priority
    bool busyWaiting = false;      // the clock waited for its steps without sleeping
};
ClockThreadFigures independentClockFigures();

// Measurement reports the analyzer sent since the last reset, and those of them lost
// because the device's buffer was full; samples count sample times (report rows).
struct StreamCounts
{
    std::uint64_t reports = 0;
    std::uint64_t samples = 0;
    std::uint64_t lostReports = 0;
    std::uint64_t lostSamples = 0;
    // Of the lost ones, those a single step of the clock sent beyond a whole buffer's
    // worth: the clock had paused itself for longer than the buffer lasts and caught up
    // in one burst, which not even an empty buffer holds. A real instrument sends at its
    // steady pace, so these are lost to the simulation's own pause, not to a late reader.
    std::uint64_t lostInCatchUpReports = 0;
    std::uint64_t lostInCatchUpSamples = 0;
};
StreamCounts streamCounts();

// Driven clock: lets time pass for the instruments.
void advance(int milliseconds);
void advanceMicros(std::uint64_t micros);
std::uint64_t nowMicros();

void setAnalyzerSignal(AnalyzerSignal signal);
void setSupplySignal(SupplySignal signal);
// Sample number of the first sample of the next analyzer run (normally 0).
void setFirstSampleNumber(std::uint32_t number);
// Status byte the analyzer reports in its status responses (fault bits).
void setAnalyzerStatus(std::uint8_t status);
// Output state that a supply answers to "POWER".
void setSupplyOutput(bool on);
// A logging supply ends its log by itself (report code 8).
void endSupplyLog();

// The next measurement reports are lost on the way; their samples stay counted.
void dropReports(int count);
// Queues one raw input report (up to 64 bytes) on a device, as if it had sent it.
void injectReport(int device, const std::vector<std::uint8_t>& report);
// Input reports a device keeps before newer ones are lost (the USB stack's buffer).
void setQueueLimit(std::size_t reports);
// Input reports waiting in a device's buffer for the program to read them.
std::size_t pendingReports(int device);
// A streaming analyzer queues this many measurement reports at once, clock or not.
void produceReports(int count);

// Every output report the program wrote to the device, byte for byte as written.
std::vector<std::vector<std::uint8_t>> written(int device);
void clearWritten(int device);

void setBootloaderBehaviour(BootloaderBehaviour behaviour);
// Time from the switch request to the bootloader's arrival, and from the start command
// to the instrument's return.
void setBootloaderDelays(int switchMilliseconds, int restartMilliseconds);
// The image bytes the last bootloader received, in order.
std::vector<std::uint8_t> flashedImage();
// The command byte of every report the last bootloader received, in order.
std::vector<int> bootloaderCommands();

// Plugs instruments from a text such as "analyzer", "supply", "supply600",
// "analyzer,supply", "bootloader", "foreign" or "none". Returns false (and plugs
// nothing) when a name is unknown.
bool configure(const std::string& text);

} // namespace talvo::sim

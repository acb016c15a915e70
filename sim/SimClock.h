// The simulator's time base: driven by tests, or following the real clock in a demo run.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

namespace talvo::sim {

class SimClock
{
public:
    enum class Mode { Driven, Real };

    // Real mode runs `speed` times faster than the steady clock.
    void reset(Mode mode, double speed = 1.0);
    Mode mode() const { return m_mode; }
    // Real mode reads only the steady clock: the time can be taken without the bus lock.
    bool lockFree() const { return m_mode == Mode::Real; }

    // Microseconds since the last reset.
    std::uint64_t now() const;

    // Driven mode only: moves time forward; the real clock cannot be pushed.
    void advance(std::uint64_t micros);

    // Lets the given time pass: driven time jumps, real time is slept.
    void pass(std::uint64_t micros);

private:
    std::atomic<Mode> m_mode{Mode::Driven};
    std::uint64_t m_driven = 0;
    double m_speed = 1.0;
    std::chrono::steady_clock::time_point m_origin = std::chrono::steady_clock::now();
};

} // namespace talvo::sim

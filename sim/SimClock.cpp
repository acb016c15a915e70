#include "SimClock.h"

#include <thread>

namespace talvo::sim {

void SimClock::reset(Mode mode, double speed)
{
    m_mode = mode;
    m_speed = speed > 0 ? speed : 1.0;
    m_driven = 0;
    m_origin = std::chrono::steady_clock::now();
}

std::uint64_t SimClock::now() const
{
    if (m_mode == Mode::Driven)
        return m_driven;
    const auto elapsed = std::chrono::steady_clock::now() - m_origin;
    return std::uint64_t(double(std::chrono::duration_cast<std::chrono::nanoseconds>(elapsed).count()) * m_speed / 1000.0);
}

void SimClock::advance(std::uint64_t micros)
{
    if (m_mode == Mode::Driven)
        m_driven += micros;
}

void SimClock::pass(std::uint64_t micros)
{
    if (m_mode == Mode::Driven)
        m_driven += micros;
    else
        std::this_thread::sleep_for(std::chrono::microseconds(std::uint64_t(double(micros) / m_speed)));
}

} // namespace talvo::sim

#include "SimClock.h"

#include <thread>

namespace talvo::sim {

void SimClock::reset(Mode mode)
{
    m_mode = mode;
    m_driven = 0;
    m_origin = std::chrono::steady_clock::now();
}

std::uint64_t SimClock::now() const
{
    if (m_mode == Mode::Driven)
        return m_driven;
    const auto elapsed = std::chrono::steady_clock::now() - m_origin;
    return std::uint64_t(std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count());
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
        std::this_thread::sleep_for(std::chrono::microseconds(micros));
}

} // namespace talvo::sim

// Timing of a measurement stream: which samples are due, and when they leave the
// instrument as a report (when a report is full, or when its oldest sample has waited
// long enough, so slow rates still arrive promptly).
#pragma once

#include <algorithm>
#include <cstdint>

namespace talvo::sim {

class SampleStream
{
public:
    static constexpr std::uint64_t MaxReportAgeMicros = 50000;

    void start(std::uint64_t at, std::uint64_t periodMicros, std::uint32_t firstNumber, int rowsPerReport)
    {
        m_running = true;
        m_start = at;
        m_period = periodMicros ? periodMicros : 1;
        m_firstNumber = firstNumber;
        m_rows = rowsPerReport > 0 ? rowsPerReport : 1;
        m_next = 0;
    }
    void stop() { m_running = false; }
    bool running() const { return m_running; }
    std::uint64_t periodMicros() const { return m_period; }
    int rowsPerReport() const { return m_rows; }

    // Seconds from the start of the run to sample k.
    double sampleTime(std::uint64_t k) const { return double(k) * double(m_period) / 1e6; }

    // Hands out every report due at the given time:
    // emit(24-bit number of the first sample, its index in the run, rows).
    template <typename Emit>
    void update(std::uint64_t now, Emit emit)
    {
        if (!m_running || now < m_start)
            return;
        const std::uint64_t due = (now - m_start) / m_period + 1;
        while (due > m_next && due - m_next >= std::uint64_t(m_rows))
            hand(m_rows, emit);
        if (due > m_next && now - (m_start + m_next * m_period) >= MaxReportAgeMicros)
            hand(int(due - m_next), emit);
    }

    // Hands out the samples already taken but not yet sent (at a stop).
    template <typename Emit>
    void flush(std::uint64_t now, Emit emit)
    {
        if (!m_running || now < m_start)
            return;
        const std::uint64_t due = (now - m_start) / m_period + 1;
        while (due > m_next)
            hand(int(std::min<std::uint64_t>(due - m_next, std::uint64_t(m_rows))), emit);
    }

    // Full reports at once, ahead of the clock (as fast as the instrument could).
    template <typename Emit>
    void produce(int reports, Emit emit)
    {
        for (int i = 0; m_running && i < reports; ++i)
            hand(m_rows, emit);
    }

private:
    template <typename Emit>
    void hand(int rows, Emit& emit)
    {
        emit(std::uint32_t((m_firstNumber + m_next) & 0xFFFFFF), m_next, rows);
        m_next += std::uint64_t(rows);
    }

    bool m_running = false;
    std::uint64_t m_start = 0;
    std::uint64_t m_period = 1;
    std::uint32_t m_firstNumber = 0;
    int m_rows = 1;
    std::uint64_t m_next = 0;
};

} // namespace talvo::sim

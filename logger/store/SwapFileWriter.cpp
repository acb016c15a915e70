#include "SwapFileWriter.h"

#include "SampleClock.h"
#include "SwapFile.h"

#include <algorithm>

SwapFileWriter::SwapFileWriter(SwapFile& file)
    : m_file(file), m_thread([this] { run(); })
{
}

SwapFileWriter::~SwapFileWriter()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void SwapFileWriter::write(ChannelMaps batch)
{
    {
        std::lock_guard lock(m_mutex);
        m_queue.push_back(std::move(batch));
    }
    m_wake.notify_one();
}

void SwapFileWriter::returnRefused(const ChannelMaps& maps)
{
    for (const ChannelMaps& refused : takeRefused())
        addPoints(maps, refused);
}

void SwapFileWriter::handOver(const ChannelMaps& maps, double cut)
{
    if (!accepting())
        return;
    const ChannelMap first = firstFilledMap(maps);
    if (!first)
        return;
    const double oldest = first->constBegin()->key;
    write(takePointsBefore(maps, cut));
    if (!liveMapCompactionDue(oldest, cut))
        return;
    for (const ChannelMap& map : maps)
        if (map)
            compactLiveMap(*map);
}

QList<ChannelMaps> SwapFileWriter::takeRefused()
{
    std::lock_guard lock(m_mutex);
    QList<ChannelMaps> refused;
    refused.swap(m_refused);
    if (m_refusing && m_queue.empty() && !m_busy)
        m_refusing = false;
    return refused;
}

bool SwapFileWriter::accepting() const
{
    std::lock_guard lock(m_mutex);
    return !m_refusing;
}

void SwapFileWriter::waitUntilIdle()
{
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return m_queue.empty() && !m_busy; });
}

void SwapFileWriter::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || !m_queue.empty(); });
        if (m_queue.empty())
            break; // stopping, nothing left to write
        ChannelMaps batch = std::move(m_queue.front());
        m_queue.pop_front();
        if (m_refusing) {
            // A batch after a refused one would land before the refused points.
            m_refused.append(batch);
        } else {
            m_busy = true;
            lock.unlock();
            // append takes the written points out of the batch: what stays is unwritten.
            const bool written = m_file.append(batch, true);
            lock.lock();
            m_busy = false;
            if (!written)
                m_refusing = true;
            // Points the file did not take (a refused write, or points past the end of a
            // shorter channel) go back to the caller: none is dropped.
            if (!written || std::any_of(batch.cbegin(), batch.cend(),
                                        [](const ChannelMap& map) { return map && !map->isEmpty(); }))
                m_refused.append(batch);
        }
        if (m_queue.empty())
            m_idle.notify_all();
    }
    m_idle.notify_all();
}

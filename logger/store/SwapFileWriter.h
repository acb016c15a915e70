#pragma once

// Writes a run's old chart points to its swap file on a thread of its own, so that the
// window never waits for the disk while samples keep coming.
//
// Batches are written strictly in the order they were handed over. When the file
// refuses a write, the points of that batch that did not reach it, and every batch
// handed over after it, come back unwritten (takeRefused) in that order; no batch is
// written again until all of them were taken back, so the caller can put them into the
// chart and hand them over once more without the records ever going out of time order.

#include "ChannelMaps.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

class SwapFile;

class SwapFileWriter
{
public:
    explicit SwapFileWriter(SwapFile& file);
    // Writes whatever is still waiting, then ends the thread.
    ~SwapFileWriter();
    SwapFileWriter(const SwapFileWriter&) = delete;
    SwapFileWriter& operator=(const SwapFileWriter&) = delete;

    // Queues a batch of points (one map per channel, as SwapFile::append takes them);
    // returns at once. The batch is owned by the writer from here on.
    void write(ChannelMaps batch);

    // The points that were not written, batch by batch in their order. Once every
    // batch that came after a refused one is back, the writer accepts batches again.
    QList<ChannelMaps> takeRefused();
    // False from a refused write until takeRefused has given back every batch.
    bool accepting() const;

    // The hand-over from a run's live maps (the caller holds their lock).
    // Puts the points the disk refused back into the maps, older than all they hold, so
    // that they leave again with the next batch: no sample is dropped.
    void returnRefused(const ChannelMaps& maps);
    // Hands the points older than `cut` over to the thread, unless refused points are
    // still out: they stay in the maps until those are back, so that the file gets every
    // record in time order. Now and then the maps give up the room the handed-over
    // points held.
    void handOver(const ChannelMaps& maps, double cut);
    // Blocks until every queued batch was written or refused.
    void waitUntilIdle();

private:
    void run();

    SwapFile& m_file;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<ChannelMaps> m_queue;
    QList<ChannelMaps> m_refused;
    bool m_busy = false;
    bool m_refusing = false;
    bool m_stop = false;
    std::thread m_thread;
};

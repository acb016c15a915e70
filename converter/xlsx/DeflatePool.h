#pragma once

#include "ZipWriter.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace Xlsx {

// Number of cores this process may run on (at least 1).
unsigned AvailableCores();

// Compresses large part files on worker threads while the workbook goes on writing, so
// that a save of many sheets uses every core. Each part's compressed data waits in a
// scratch file beside the part until the archive takes it, in the archive's own order, so
// memory stays flat however large the workbook grows. Destroying the pool stops every
// worker at its next read and removes every scratch file.
class CDeflatePool
{
public:
    explicit CDeflatePool(unsigned workers);
    ~CDeflatePool();
    CDeflatePool(const CDeflatePool &) = delete;
    CDeflatePool &operator=(const CDeflatePool &) = delete;

    // Queues the part file at sourcePath (entry name entryName) for compression.
    void Submit(const std::string &entryName, const std::string &sourcePath);
    bool Has(const std::string &entryName) const;

    // Adds the queued entry to the archive once it is compressed. While it waits, tick is
    // called every few tens of milliseconds (when set). Returns the preparation's failure
    // when it failed, else the result of the add.
    ZipResult AddTo(ZipHandle zip, const std::string &entryName, void (*tick)(void *), void *context);

    // Source bytes the workers have read so far, over every queued part.
    uint64_t BytesRead() const { return m_bytesRead.load(std::memory_order_relaxed); }

    // Makes every worker give up its part at its next read; waiting adds then fail.
    void Stop();
    bool Stopped() const { return m_stop.load(); }

private:
    struct Job;
    void Work();
    void Run(Job &job);
    static int Progress(void *context, uint64_t bytesRead);

    unsigned m_workerCount;
    std::vector<std::thread> m_workers;
    mutable std::mutex m_mutex;
    std::condition_variable m_queued;
    std::condition_variable m_finished;
    std::deque<Job *> m_pending;
    std::vector<std::unique_ptr<Job>> m_jobs;
    std::atomic<bool> m_stop{false};
    std::atomic<uint64_t> m_bytesRead{0};
};

} // namespace Xlsx

#include "DeflatePool.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

namespace Xlsx {

unsigned AvailableCores()
{
    cpu_set_t set;
    if (sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0)
        return unsigned(CPU_COUNT(&set));
    const unsigned cores = std::thread::hardware_concurrency();
    return cores > 0 ? cores : 1;
}

struct CDeflatePool::Job
{
    CDeflatePool *pool = nullptr;
    std::string entryName;
    std::string source;
    std::string scratch;       // the compressed data until the archive takes it
    bool scratchMade = false;
    ZipPreparedEntry prepared{};
    ZipResult result = ZipOk;
    bool done = false;
    uint64_t counted = 0;      // bytes of this part already added to the pool's count
};

CDeflatePool::CDeflatePool(unsigned workers) : m_workerCount(workers > 0 ? workers : 1) {}

CDeflatePool::~CDeflatePool()
{
    Stop();
    for (std::thread &worker : m_workers)
        worker.join();
    for (const auto &job : m_jobs)
        if (job->scratchMade)
            std::remove(job->scratch.c_str());
}

void CDeflatePool::Stop()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_queued.notify_all();
    m_finished.notify_all();
}

void CDeflatePool::Submit(const std::string &entryName, const std::string &sourcePath)
{
    auto job = std::make_unique<Job>();
    job->pool = this;
    job->entryName = entryName;
    job->source = sourcePath;
    // The part tree's folders are private to the user, so a fixed name beside the part
    // is safe; no part of a workbook ends in ".deflate".
    job->scratch = sourcePath + ".deflate";
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pending.push_back(job.get());
        m_jobs.push_back(std::move(job));
        if (m_workers.size() < m_workerCount && m_workers.size() < m_jobs.size())
            m_workers.emplace_back(&CDeflatePool::Work, this);
    }
    m_queued.notify_one();
}

bool CDeflatePool::Has(const std::string &entryName) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const auto &job : m_jobs)
        if (job->entryName == entryName)
            return true;
    return false;
}

void CDeflatePool::Work()
{
    for (;;) {
        Job *job = nullptr;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_queued.wait(lock, [this] { return m_stop || !m_pending.empty(); });
            if (m_stop)
                return;
            job = m_pending.front();
            m_pending.pop_front();
        }
        Run(*job);
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            job->done = true;
        }
        m_finished.notify_all();
    }
}

int CDeflatePool::Progress(void *context, uint64_t bytesRead)
{
    Job &job = *static_cast<Job *>(context);
    job.pool->m_bytesRead.fetch_add(bytesRead - job.counted, std::memory_order_relaxed);
    job.counted = bytesRead;
    return job.pool->m_stop.load(std::memory_order_relaxed) ? 1 : 0;
}

void CDeflatePool::Run(Job &job)
{
    const int fd = open(job.scratch.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        job.result = ZipErrorFile;
        return;
    }
    job.scratchMade = true;
    job.result = ZipPrepareEntry(job.entryName.c_str(), job.source.c_str(), fd, &CDeflatePool::Progress, &job,
                                 &job.prepared);
    // The data must have reached the file before the archive reads it back.
    if (close(fd) != 0 && job.result == ZipOk)
        job.result = ZipErrorWrite;
}

ZipResult CDeflatePool::AddTo(ZipHandle zip, const std::string &entryName, void (*tick)(void *), void *context)
{
    Job *job = nullptr;
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        for (const auto &candidate : m_jobs)
            if (candidate->entryName == entryName)
                job = candidate.get();
        if (job == nullptr)
            return ZipErrorArgument;
        while (!job->done && !m_stop) {
            if (tick == nullptr) {
                m_finished.wait(lock);
                continue;
            }
            m_finished.wait_for(lock, std::chrono::milliseconds(40));
            lock.unlock();
            tick(context);  // may stop the pool (a cancel)
            lock.lock();
        }
        if (!job->done)
            return ZipErrorStopped;
    }
    if (job->result != ZipOk)
        return job->result;
    const int fd = open(job->scratch.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return ZipErrorFile;
    const ZipResult result = ZipAddPrepared(zip, entryName.c_str(), &job->prepared, fd);
    close(fd);
    std::remove(job->scratch.c_str());
    job->scratchMade = false;
    return result;
}

} // namespace Xlsx

#pragma once

#include <QString>

#include <memory>

class QSharedMemory;
class QSystemSemaphore;

// Keeps a second copy of the logger from running on the same machine: the first copy
// holds a small shared-memory segment for its whole life; a later copy that finds the
// segment refuses to start.
class SingleInstanceGuard
{
public:
    enum class Outcome {
        Running,        // this process is now the only running copy
        AlreadyRunning, // another copy holds the segment
        Failed          // the segment could not be created for another reason
    };

    explicit SingleInstanceGuard(const QString& key);
    ~SingleInstanceGuard();

    SingleInstanceGuard(const SingleInstanceGuard&) = delete;
    SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

    bool tryToRun();
    Outcome outcome() const { return m_outcome; }
    // The system's text for a failed creation (Outcome::Failed), else empty.
    QString errorText() const { return m_errorText; }

    static QString deriveKey(const QString& key, const QString& salt);

private:
    bool isAnotherRunning();
    bool createSegment();
    void release();

    const QString m_key;
    const QString m_memLockKey;
    const QString m_sharedMemKey;
    std::unique_ptr<QSharedMemory> m_sharedMem;
    QSystemSemaphore* m_memLock;
    Outcome m_outcome = Outcome::Failed;
    QString m_errorText;
};

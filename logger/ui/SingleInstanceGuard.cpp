#include "SingleInstanceGuard.h"

#include <QCryptographicHash>

namespace {
// Holds the system semaphore for one block: every attach, create and detach of the
// segment happens under it, so concurrent starts are serialised.
class SemaphoreLock
{
public:
    explicit SemaphoreLock(QSystemSemaphore& semaphore) : m_semaphore(semaphore) { m_semaphore.acquire(); }
    ~SemaphoreLock() { m_semaphore.release(); }

private:
    QSystemSemaphore& m_semaphore;
};
} // namespace

QString SingleInstanceGuard::deriveKey(const QString& key, const QString& salt)
{
    QByteArray data = key.toUtf8();
    data.append(salt.toUtf8());
    return QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Sha1).toHex());
}

SingleInstanceGuard::SingleInstanceGuard(const QString& key)
    : m_key(key)
    , m_memLockKey(deriveKey(key, QStringLiteral("_memLockKey")))
    , m_sharedMemKey(deriveKey(key, QStringLiteral("_sharedmemKey")))
    , m_sharedMem(m_sharedMemKey)
    , m_memLock(m_memLockKey, 1, QSystemSemaphore::Open)
{
    // A copy that crashed leaves its segment behind with nobody attached. Attaching and
    // detaching once makes the system drop such a segment (the last detach removes it),
    // so it cannot block this start.
    SemaphoreLock lock(m_memLock);
    QSharedMemory fix(m_sharedMemKey);
    fix.attach();
}

SingleInstanceGuard::~SingleInstanceGuard()
{
    release();
}

bool SingleInstanceGuard::isAnotherRunning()
{
    if (m_sharedMem.isAttached())
        return false;
    SemaphoreLock lock(m_memLock);
    const bool attached = m_sharedMem.attach();
    if (attached)
        m_sharedMem.detach();
    return attached;
}

bool SingleInstanceGuard::tryToRun()
{
    m_errorText.clear();
    if (isAnotherRunning()) {
        m_outcome = Outcome::AlreadyRunning;
        return false;
    }
    bool created = false;
    {
        SemaphoreLock lock(m_memLock);
        created = m_sharedMem.create(8, QSharedMemory::ReadWrite);
    }
    if (created) {
        m_outcome = Outcome::Running;
        return true;
    }
    if (m_sharedMem.error() == QSharedMemory::AlreadyExists) {
        // Another copy created it between our attach and create.
        m_outcome = Outcome::AlreadyRunning;
    } else {
        m_outcome = Outcome::Failed;
        m_errorText = m_sharedMem.errorString();
    }
    release();
    return false;
}

void SingleInstanceGuard::release()
{
    SemaphoreLock lock(m_memLock);
    if (m_sharedMem.isAttached())
        m_sharedMem.detach();
}

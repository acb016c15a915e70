#include "SingleInstanceGuard.h"

#include <QCryptographicHash>
#include <QHash>
#include <QSharedMemory>
#include <QSystemSemaphore>

namespace {
// Holds the system semaphore for one block: every attach, create, detach and
// destruction of a shared-memory object happens under it, so concurrent starts are
// serialised (the shared-memory objects keep system semaphores of their own that must
// not be raced).
class SemaphoreLock
{
public:
    explicit SemaphoreLock(QSystemSemaphore& semaphore) : m_semaphore(semaphore) { m_semaphore.acquire(); }
    ~SemaphoreLock() { m_semaphore.release(); }

private:
    QSystemSemaphore& m_semaphore;
};

// The system removes a segment at its last detach, also one left by a crashed copy
// with nobody attached; a running copy stays attached and keeps its segment.
void dropUnusedSegment(const QString& key)
{
    QSharedMemory probe(key);
    if (probe.attach())
        probe.detach();
}

// The semaphore of a key, opened once and kept for the life of the process (see the
// constructor): a later guard of the same key uses the same one.
QSystemSemaphore* keptSemaphore(const QString& key)
{
    static auto* const kept = new QHash<QString, QSystemSemaphore*>;
    QSystemSemaphore*& semaphore = (*kept)[key];
    if (!semaphore)
        semaphore = new QSystemSemaphore(key, 1, QSystemSemaphore::Open);
    return semaphore;
}
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
    // The semaphore is deliberately never destroyed: a destroyed system semaphore is
    // removed from the system by the copy that created it, while other copies may be
    // waiting on it, which breaks the serialisation. Kept, the same key names the same
    // semaphore for every copy; the system undoes the hold of a crashed copy.
    , m_memLock(keptSemaphore(m_memLockKey))
{
    SemaphoreLock lock(*m_memLock);
    m_sharedMem = std::make_unique<QSharedMemory>(m_sharedMemKey);
    dropUnusedSegment(m_sharedMemKey);
}

SingleInstanceGuard::~SingleInstanceGuard()
{
    SemaphoreLock lock(*m_memLock);
    if (m_sharedMem->isAttached())
        m_sharedMem->detach();
    m_sharedMem.reset();
}

bool SingleInstanceGuard::isAnotherRunning()
{
    if (m_sharedMem->isAttached())
        return false;
    SemaphoreLock lock(*m_memLock);
    const bool attached = m_sharedMem->attach();
    if (attached)
        m_sharedMem->detach();
    return attached;
}

bool SingleInstanceGuard::createSegment()
{
    SemaphoreLock lock(*m_memLock);
    if (m_sharedMem->create(8, QSharedMemory::ReadWrite))
        return true;
    if (m_sharedMem->error() != QSharedMemory::AlreadyExists)
        return false;
    // The system key can name a segment that a crashed copy left behind after its key
    // file was cleaned away; drop it when unused and try once more.
    dropUnusedSegment(m_sharedMemKey);
    return m_sharedMem->create(8, QSharedMemory::ReadWrite);
}

bool SingleInstanceGuard::tryToRun()
{
    m_errorText.clear();
    if (isAnotherRunning()) {
        m_outcome = Outcome::AlreadyRunning;
        return false;
    }
    if (createSegment()) {
        m_outcome = Outcome::Running;
        return true;
    }
    if (m_sharedMem->error() == QSharedMemory::AlreadyExists) {
        m_outcome = Outcome::AlreadyRunning; // another copy came first
    } else {
        m_outcome = Outcome::Failed;
        m_errorText = m_sharedMem->errorString();
    }
    release();
    return false;
}

void SingleInstanceGuard::release()
{
    SemaphoreLock lock(*m_memLock);
    if (m_sharedMem->isAttached())
        m_sharedMem->detach();
}

#include "WorkGuard.h"

#include <QMetaObject>

WorkInProgress& WorkInProgress::instance()
{
    static WorkInProgress work;
    return work;
}

void WorkInProgress::hold()
{
    ++m_guards;
}

void WorkInProgress::release()
{
    if (--m_guards > 0)
        return;
    // Work that begins before the queued call runs holds the changes back again.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!active())
                emit ended();
        },
        Qt::QueuedConnection);
}

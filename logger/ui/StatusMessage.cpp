#include "StatusMessage.h"

#include <QStatusBar>

void StatusMessage::show(QStatusBar* bar, StatusText text, int ms)
{
    m_text = std::move(text);
    m_shown = m_text();
    m_expiry = ms > 0 ? QDeadlineTimer(ms) : QDeadlineTimer(QDeadlineTimer::Forever);
    bar->showMessage(m_shown, ms);
}

void StatusMessage::retranslate(QStatusBar* bar)
{
    if (!m_text || bar->currentMessage().isEmpty() || bar->currentMessage() != m_shown)
        return;
    m_shown = m_text();
    // A message whose time ran out while its end waits in the event queue still gets
    // that end, and no new full term.
    const int left = m_expiry.isForever() ? 0 : int(qMax<qint64>(1, m_expiry.remainingTime()));
    bar->showMessage(m_shown, left);
}

#pragma once

#include <QCoreApplication>
#include <QGuiApplication>

// Shows the wait cursor for as long as it lives.
class WaitCursorGuard
{
public:
    WaitCursorGuard()
        : m_active(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr)
    {
        if (m_active)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~WaitCursorGuard()
    {
        if (m_active)
            QGuiApplication::restoreOverrideCursor();
    }
    WaitCursorGuard(const WaitCursorGuard&) = delete;
    WaitCursorGuard& operator=(const WaitCursorGuard&) = delete;

private:
    bool m_active;
};

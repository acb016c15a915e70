#pragma once

// Work that lets events in while it uses something an event handler could take away
// (a tab and its swap file while a progress dialog shows) marks that time with a
// WorkGuard. Handlers of outside changes that may close tabs (an instrument of another
// kind arriving) ask WorkInProgress whether such work runs, wait while it does, and pick
// the change up when `ended` comes.

#include <QObject>

class WorkInProgress : public QObject
{
    Q_OBJECT
public:
    static WorkInProgress& instance();
    bool active() const { return m_guards > 0; }

signals:
    // The last guard went. Emitted from the event loop, so that the code that held the
    // guard has returned before anyone acts on it.
    void ended();

private:
    friend class WorkGuard;
    WorkInProgress() = default;
    void hold();
    void release();

    int m_guards = 0;
};

class WorkGuard
{
public:
    WorkGuard() { WorkInProgress::instance().hold(); }
    ~WorkGuard() { WorkInProgress::instance().release(); }
    WorkGuard(const WorkGuard&) = delete;
    WorkGuard& operator=(const WorkGuard&) = delete;
};

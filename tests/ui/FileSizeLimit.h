#pragma once

#include <QtGlobal>

#include <csignal>
#include <sys/resource.h>

// Limits the size of files this process writes, as a full disk would; undone when it
// goes out of scope, also when a check fails half-way.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = rlim_t(bytes);
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { lift(); }
    void lift()
    {
        if (m_lifted)
            return;
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_oldHandler);
        m_lifted = true;
    }

private:
    rlimit m_saved;
    void (*m_oldHandler)(int) = nullptr;
    bool m_lifted = false;
};

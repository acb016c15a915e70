#include "TruncationFault.h"

#include <atomic>
#include <cerrno>

#include <dlfcn.h>
#include <sys/stat.h>
#include <sys/types.h>

// The test program's own ftruncate and ftruncate64 stand in front of the C library's:
// Qt's file calls reach them first, and they pass every call on unless a fault is on.
namespace {
std::atomic<bool> s_failing{false};

template <typename Function>
Function next(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

// A cut below the current size is refused; anything else goes through.
bool refused(int fd, long long length)
{
    struct stat status{};
    if (!s_failing || fstat(fd, &status) != 0 || length >= status.st_size)
        return false;
    errno = EIO;
    return true;
}
} // namespace

extern "C" int ftruncate(int fd, off_t length)
{
    if (refused(fd, length))
        return -1;
    static const auto real = next<int (*)(int, off_t)>("ftruncate");
    return real(fd, length);
}

extern "C" int ftruncate64(int fd, off64_t length)
{
    if (refused(fd, length))
        return -1;
    static const auto real = next<int (*)(int, off64_t)>("ftruncate64");
    return real(fd, length);
}

TruncationFault::TruncationFault()
{
    s_failing = true;
}

TruncationFault::~TruncationFault()
{
    lift();
}

void TruncationFault::lift()
{
    s_failing = false;
}

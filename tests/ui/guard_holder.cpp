// A stand-in for a second copy of the logger: takes the single-instance guard with the
// key given as the first argument, prints the outcome and, with "hold", keeps the guard
// until its standard input closes (or the process is killed).
#include "SingleInstanceGuard.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    SingleInstanceGuard guard(QString::fromUtf8(argv[1]));
    const bool running = guard.tryToRun();
    if (running)
        std::printf("running\n");
    else if (guard.outcome() == SingleInstanceGuard::Outcome::AlreadyRunning)
        std::printf("refused\n");
    else
        std::printf("failed: %s\n", qPrintable(guard.errorText()));
    std::fflush(stdout);
    if (running && argc > 2 && std::strcmp(argv[2], "hold") == 0) {
        char buffer[64];
        while (std::fgets(buffer, sizeof buffer, stdin))
            ;
    }
    return 0;
}

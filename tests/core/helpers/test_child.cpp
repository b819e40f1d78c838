// A stand-in child application for the supervisor's tests: it appends "start PID" to the file
// named by KIVO_CHILD_LOG, then either exits after the milliseconds given as its argument (a
// crash, as far as the station can tell) or runs until SIGTERM, appending "term PID".
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <unistd.h>

namespace {
volatile std::sig_atomic_t g_stop = 0;
void onTerm(int)
{
    g_stop = 1;
}

void note(const char* what)
{
    const char* path = std::getenv("KIVO_CHILD_LOG");
    if (!path)
        return;
    if (FILE* f = std::fopen(path, "a")) {
        std::fprintf(f, "%s %d\n", what, static_cast<int>(::getpid()));
        std::fclose(f);
    }
}
} // namespace

int main(int argc, char** argv)
{
    std::signal(SIGTERM, onTerm);
    note("start");
    const long lifeMs = argc > 1 ? std::atol(argv[1]) : -1;
    const auto begin = std::chrono::steady_clock::now();
    while (!g_stop) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (lifeMs >= 0 &&
            std::chrono::steady_clock::now() - begin > std::chrono::milliseconds(lifeMs))
            return 3;
    }
    note("term");
    return 0;
}

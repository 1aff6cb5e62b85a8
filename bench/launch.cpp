// Runs a command once, timing it from its exec: passes the start time to it
// as BENCH_T0 (CLOCK_MONOTONIC nanoseconds), forwards what it prints, and
// adds the child's peak resident set size.
//
//   launch COMMAND [ARGS...]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: launch COMMAND [ARGS...]\n");
        return 2;
    }
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const std::string t0 = std::to_string(now.tv_sec * 1'000'000'000LL + now.tv_nsec);
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        setenv("BENCH_T0", t0.c_str(), 1);
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    std::printf("peak_rss_kib %ld\n", usage.ru_maxrss);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

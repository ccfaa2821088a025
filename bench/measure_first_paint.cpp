// Measures programs from their start to their first painted window: runs each given program
// `runs` times, alternating between them so that a change in the load of the machine touches
// all alike, after one warm-up run each (which fills the file cache).  Each program reports the
// moment of its first paint with its processor time and peak memory so far on standard output
// (bench_startup_first_paint.h); what it does after that, shutting down, is not counted.  For
// every program one line:
//
//   <program> <median ms to first paint> <mean processor ms> <largest peak RSS MiB>
//
//   measure_first_paint RUNS PROGRAM...

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Run {
    double toFirstPaintMs;
    double processorMs;
    double peakMiB;
};

[[noreturn]] void fail(const char* program, const char* what) {
    std::fprintf(stderr, "%s: %s\n", program, what);
    std::exit(2);
}

// Everything the child writes on its standard output, up to its end.
std::string readAll(int fd) {
    std::string text;
    char buffer[256];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, std::size_t(n));
    return text;
}

Run runOnce(const char* program) {
    int output[2];
    if (pipe(output) != 0) fail(program, "no pipe");
    const long long start =
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count();
    const pid_t child = fork();
    if (child < 0) fail(program, "cannot fork");
    if (child == 0) {
        dup2(output[1], STDOUT_FILENO);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDERR_FILENO);
        close(output[0]);
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(output[1]);
    const std::string reported = readAll(output[0]);
    close(output[0]);
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        fail(program, "did not end normally");

    long long paintedAt = 0;
    long long processorUs = 0;
    long peakKiB = 0;
    const std::size_t at = reported.find("first-paint ");
    if (at == std::string::npos ||
        std::sscanf(reported.c_str() + at, "first-paint %lld %lld %ld", &paintedAt, &processorUs, &peakKiB) != 3)
        fail(program, "reported no first paint");
    return {(paintedAt - start) / 1e6, processorUs / 1e3, peakKiB / 1024.0};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 2 ? std::atoi(argv[1]) : 0;
    if (runs < 1) {
        std::fprintf(stderr, "usage: %s RUNS PROGRAM...\n", argv[0]);
        return 2;
    }
    const std::vector<const char*> programs(argv + 2, argv + argc);
    for (const char* program : programs) runOnce(program);

    std::vector<std::vector<Run>> measured(programs.size());
    for (int round = 0; round < runs; ++round) {
        for (std::size_t i = 0; i < programs.size(); ++i) measured[i].push_back(runOnce(programs[i]));
    }
    for (std::size_t i = 0; i < programs.size(); ++i) {
        std::vector<double> times;
        double processor = 0;
        double peak = 0;
        for (const Run& run : measured[i]) {
            times.push_back(run.toFirstPaintMs);
            processor += run.processorMs;
            peak = std::max(peak, run.peakMiB);
        }
        std::printf("%s %.1f %.1f %.1f\n", programs[i], median(times), processor / runs, peak);
    }
    return 0;
}

// Measures programs as whole processes: runs each given program `runs` times, alternating
// between them so that a change in the load of the machine touches all alike, after one
// warm-up run each (which fills the file cache).  For every program it prints one line
//
//   <program> <median wall ms> <mean processor ms> <largest peak RSS MiB>
//
// The wall time runs from just before the fork to the reaping of the child; processor time
// (user + system) and peak resident memory come from the kernel's account of the child, so no
// helper process is counted in them.  Output of the programs goes to /dev/null.
//
//   measure_processes RUNS PROGRAM...

#include <fcntl.h>
#include <sys/resource.h>
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
    double wallMs;
    double processorMs;
    double peakMiB;
};

double milliseconds(const timeval& time) { return time.tv_sec * 1e3 + time.tv_usec / 1e3; }

// One run of the program; exits the harness when the program cannot be run or fails.
Run runOnce(const char* program) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("fork");
        std::exit(2);
    }
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child) {
        std::perror("wait4");
        std::exit(2);
    }
    const std::chrono::duration<double, std::milli> wall = std::chrono::steady_clock::now() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s did not end normally (status %d)\n", program, status);
        std::exit(2);
    }
    return {wall.count(), milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime),
            usage.ru_maxrss / 1024.0};
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
        std::vector<double> wall;
        double processor = 0;
        double peak = 0;
        for (const Run& run : measured[i]) {
            wall.push_back(run.wallMs);
            processor += run.processorMs;
            peak = std::max(peak, run.peakMiB);
        }
        std::printf("%s %.1f %.1f %.1f\n", programs[i], median(wall), processor / runs, peak);
    }
    return 0;
}

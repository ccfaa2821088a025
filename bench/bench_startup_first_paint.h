#pragma once
// For the start-up benchmark: once a window has painted for the first time (children included,
// and flushed), the process reports on standard output
//
//   first-paint <monotonic clock ns> <processor us> <peak resident KiB>
//
// and ends its event loop.  The measuring process takes the time from its fork to this moment;
// processor time and peak memory are read here, so that neither counts what the process does
// after its first paint while it shuts down.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <sys/resource.h>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>

class QuitAfterFirstPaint : public QObject {
public:
    explicit QuitAfterFirstPaint(QWidget& window) : QObject(&window) { window.installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !quitting_) {
            quitting_ = true;
            // Runs after the whole window has painted and been flushed.
            QTimer::singleShot(0, QCoreApplication::instance(), [] {
                report();
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    static void report() {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const long long processorUs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000000LL +
                                      usage.ru_utime.tv_usec + usage.ru_stime.tv_usec;
        std::printf("first-paint %lld %lld %ld\n", now.tv_sec * 1000000000LL + now.tv_nsec, processorUs,
                    peakResidentKiB());
        std::fflush(stdout);
    }

    // The high-water mark of the resident set so far ("VmHWM" in /proc/self/status).
    static long peakResidentKiB() {
        std::ifstream status("/proc/self/status");
        for (std::string line; std::getline(status, line);) {
            if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
        }
        return -1;
    }

    bool quitting_ = false;
};

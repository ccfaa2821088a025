#pragma once
// The draws of an uncertainty analysis on a thread of their own, so that the window never waits
// for them.  Their progress and their outcome come back on the window's thread as signals; a
// new start stops the run before it, whose outcome is then never reported; and the runner's end
// stops every run and waits for its thread, so that none outlives the window.

#include "model/uncertainty.h"

#include <QObject>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QThread;

namespace nutrient {

// What one run came to: the run and its summary, or why it failed (a range its set refuses, the
// memory running out).  The run keeps its baseline, ranges and seed but not its draws, which the
// summary has counted: a million of them take hundreds of megabytes.
struct UncertaintyOutcome {
    std::optional<UncertaintyRun> run;
    UncertaintySummary summary;
    std::string failure;
};

class UncertaintyRunner : public QObject {
    Q_OBJECT
public:
    explicit UncertaintyRunner(QObject* parent = nullptr);
    ~UncertaintyRunner() override;

    // Stops the run going on and starts one over the texts (as they stand: the show rule comes
    // first).
    void start(const ParameterTexts& texts, const std::vector<UncertaintyRange>& ranges, const DrawSettings& settings,
               const LoadTargets& targets);
    // Stops the run going on; nothing more is reported of it.
    void stop();
    bool running() const { return current_ != nullptr; }

    // The outcome of the last run that finished; nothing before one has.
    const UncertaintyOutcome* outcome() const { return outcome_.get(); }

signals:
    // The draws done so far, reported as each per cent of them is.
    void progressed(qulonglong done, qulonglong total);
    // The run started last has finished: outcome() holds what it came to.
    void finished();

private:
    struct Job;
    void jobEnded(QThread* thread);

    struct Worker {
        QThread* thread;
        std::shared_ptr<Job> job;
    };
    std::vector<Worker> workers_;  // every thread not yet ended, the stopped ones too
    std::shared_ptr<Job> current_;
    std::unique_ptr<const UncertaintyOutcome> outcome_;
};

}  // namespace nutrient

#include "ui/uncertainty_runner.h"

#include <QThread>

#include <algorithm>
#include <atomic>
#include <exception>

namespace nutrient {

struct UncertaintyRunner::Job {
    std::atomic<bool> stop{false};
    UncertaintyOutcome outcome;  // written by the job's thread, read once it has ended
};

namespace {

// Runs the draws and summarizes them; the failure that stops them is kept as its text.
void computeOutcome(UncertaintyOutcome& outcome, const ParameterTexts& texts,
                    const std::vector<UncertaintyRange>& ranges, const DrawSettings& settings,
                    const LoadTargets& targets, const RunControl& control) {
    MessageLog log;
    try {
        guarded(log, [&] {
            std::optional<UncertaintyRun> run = runUncertainty(texts, ranges, settings, control);
            if (!run) return;
            outcome.summary = summarize(*run, targets);
            run->draws = {};
            run->uniforms = {};
            outcome.run = std::move(run);
        });
    } catch (const std::exception& exception) {  // a thread the system would not start
        log.failure(exception.what());
    }
    if (!log.messages.empty()) outcome.failure = log.messages.front().text;
}

}  // namespace

UncertaintyRunner::UncertaintyRunner(QObject* parent) : QObject(parent) {}

UncertaintyRunner::~UncertaintyRunner() {
    for (const Worker& worker : workers_) worker.job->stop = true;
    for (const Worker& worker : workers_) {
        worker.thread->wait();
        delete worker.thread;
    }
}

void UncertaintyRunner::start(const ParameterTexts& texts, const std::vector<UncertaintyRange>& ranges,
                              const DrawSettings& settings, const LoadTargets& targets) {
    stop();
    auto job = std::make_shared<Job>();
    QThread* thread = QThread::create([this, job, texts, ranges, settings, targets] {
        std::size_t reportedPercent = 0;
        const RunControl control{[&](std::size_t done, std::size_t total) {
                                     const std::size_t percent = done * 100 / total;
                                     if (percent == reportedPercent) return;
                                     reportedPercent = percent;
                                     // The runner outlives the thread: its end waits for it.
                                     QMetaObject::invokeMethod(
                                         this,
                                         [this, job, done, total] {
                                             if (job == current_) emit progressed(done, total);
                                         },
                                         Qt::QueuedConnection);
                                 },
                                 &job->stop};
        computeOutcome(job->outcome, texts, ranges, settings, targets, control);
    });
    connect(thread, &QThread::finished, this, [this, thread] { jobEnded(thread); });
    workers_.push_back({thread, job});
    current_ = std::move(job);
    thread->start();
}

void UncertaintyRunner::stop() {
    if (!current_) return;
    current_->stop = true;
    current_.reset();
}

void UncertaintyRunner::jobEnded(QThread* thread) {
    const auto ended = std::find_if(workers_.begin(), workers_.end(),
                                    [thread](const Worker& worker) { return worker.thread == thread; });
    if (ended == workers_.end()) return;
    const std::shared_ptr<Job> job = ended->job;
    thread->wait();
    delete thread;
    workers_.erase(ended);
    if (job != current_) return;
    current_.reset();
    outcome_ = std::make_unique<const UncertaintyOutcome>(std::move(job->outcome));
    emit finished();
}

}  // namespace nutrient

// A worker that runs one job at a time on a thread of its own and hands its progress
// reports and its ending back to the thread that owns it, in the order they were posted.
#pragma once

#include "DigestJob.h"

#include <QObject>
#include <QString>

#include <any>
#include <atomic>
#include <exception>
#include <functional>
#include <thread>

namespace quorvel {

struct DoWorkEventArgs {
    std::any Argument;
    std::any Result;
    bool Cancel = false;
};

struct ProgressChangedEventArgs {
    int ProgressPercentage = 0;
    std::any UserState;
};

struct RunWorkerCompletedEventArgs {
    std::exception_ptr Error; // set when the job threw
    bool Cancelled = false;
    std::any Result;
};

class BackgroundWorker : public QObject, public JobWorker {
    Q_OBJECT
public:
    explicit BackgroundWorker(QObject* parent = nullptr);
    // Waits for a running job: whatever it reads must outlive it.
    ~BackgroundWorker() override;

    bool WorkerReportsProgress = false;
    bool WorkerSupportsCancellation = false;

    // The job; runs on the worker's thread and must touch nothing that belongs to the window.
    std::function<void(QObject* sender, DoWorkEventArgs& e)> DoWork;
    // Both run on the owning thread.
    std::function<void(QObject* sender, ProgressChangedEventArgs& e)> ProgressChanged;
    std::function<void(QObject* sender, RunWorkerCompletedEventArgs& e)> RunWorkerCompleted;

    // Starts the job with a fresh cancellation flag. Returns false, starting nothing, while a job
    // has not yet delivered its ending.
    bool RunWorkerAsync(std::any argument);
    void CancelAsync();
    bool CancellationPending() const override;
    // True from the start until the ending has been delivered.
    bool IsBusy() const { return m_busy; }

    // Posts a report and returns at once.
    void ReportProgress(int percentProgress, std::any userState);
    void ReportProgress(int32_t percentProgress, const std::shared_ptr<Progress>& userState) override;

    // Blocks until the job's handler has returned. Its ending is still delivered later, if the
    // worker is still alive to deliver it.
    void WaitForJobEnd();

private:
    void DeliverCompletion(RunWorkerCompletedEventArgs e);

    std::thread m_thread;
    std::atomic<bool> m_cancellationPending{false};
    bool m_busy = false;
};

} // namespace quorvel

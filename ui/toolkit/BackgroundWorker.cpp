#include "BackgroundWorker.h"

#include <QMetaObject>

namespace quorvel {

BackgroundWorker::BackgroundWorker(QObject* parent) : QObject(parent) {}

BackgroundWorker::~BackgroundWorker() {
    WaitForJobEnd();
}

bool BackgroundWorker::RunWorkerAsync(std::any argument) {
    if (m_busy) {
        return false;
    }
    // The previous job has delivered its ending, so its thread is at most about to return.
    WaitForJobEnd();
    m_busy = true;
    m_cancellationPending = false;
    m_thread = std::thread([this, argument = std::move(argument)]() mutable {
        DoWorkEventArgs work;
        work.Argument = std::move(argument);
        RunWorkerCompletedEventArgs ending;
        try {
            if (DoWork) {
                DoWork(this, work);
            }
            ending.Cancelled = work.Cancel;
            if (!work.Cancel) {
                ending.Result = std::move(work.Result);
            }
        } catch (...) {
            ending.Error = std::current_exception();
        }
        // Queued after every report this job posted, so it is delivered after them.
        QMetaObject::invokeMethod(
            this, [this, ending = std::move(ending)]() mutable { DeliverCompletion(std::move(ending)); },
            Qt::QueuedConnection);
    });
    return true;
}

void BackgroundWorker::CancelAsync() {
    if (WorkerSupportsCancellation) {
        m_cancellationPending = true;
    }
}

bool BackgroundWorker::CancellationPending() const {
    return m_cancellationPending;
}

void BackgroundWorker::ReportProgress(int percentProgress, std::any userState) {
    if (!WorkerReportsProgress) {
        return;
    }
    QMetaObject::invokeMethod(
        this,
        [this, percentProgress, userState = std::move(userState)]() mutable {
            ProgressChangedEventArgs e;
            e.ProgressPercentage = percentProgress;
            e.UserState = std::move(userState);
            if (ProgressChanged) {
                ProgressChanged(this, e);
            }
        },
        Qt::QueuedConnection);
}

void BackgroundWorker::ReportProgress(int32_t percentProgress, const std::shared_ptr<Progress>& userState) {
    ReportProgress(static_cast<int>(percentProgress), std::any(userState));
}

void BackgroundWorker::WaitForJobEnd() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void BackgroundWorker::DeliverCompletion(RunWorkerCompletedEventArgs e) {
    WaitForJobEnd();
    m_busy = false;
    if (RunWorkerCompleted) {
        RunWorkerCompleted(this, e);
    }
}

} // namespace quorvel

// The background worker: the job runs on its own thread, reports and the ending come back on
// the owner's thread in the order posted, cancellation and errors.
#include "BackgroundWorker.h"

#include <QCoreApplication>
#include <QTest>
#include <QThread>

#include <stdexcept>

using namespace quorvel;

class TestWorker : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every report arrives, in order, before the ending; all on the owner's thread.
    void reportsThenEnding() {
        BackgroundWorker worker;
        worker.WorkerReportsProgress = true;
        Qt::HANDLE jobThread = nullptr;
        QList<int> events;
        bool wrongThread = false;
        bool wrongSender = true;
        worker.DoWork = [&](QObject* sender, DoWorkEventArgs& e) {
            jobThread = QThread::currentThreadId();
            wrongSender = sender != &worker;
            const int n = std::any_cast<int>(e.Argument);
            for (int i = 0; i < n; ++i) {
                worker.ReportProgress(i % 101, std::any(i));
            }
            e.Result = QStringLiteral("result");
        };
        worker.ProgressChanged = [&](QObject*, ProgressChangedEventArgs& e) {
            wrongThread |= QThread::currentThread() != thread();
            events << std::any_cast<int>(e.UserState);
            if (e.ProgressPercentage != events.last() % 101) {
                wrongThread = true;
            }
        };
        bool ended = false;
        QString result;
        worker.RunWorkerCompleted = [&](QObject*, RunWorkerCompletedEventArgs& e) {
            wrongThread |= QThread::currentThread() != thread();
            ended = true;
            QVERIFY(!e.Error);
            QVERIFY(!e.Cancelled);
            result = std::any_cast<QString>(e.Result);
            events << -1;
        };
        QVERIFY(worker.RunWorkerAsync(5000));
        QVERIFY(worker.IsBusy());
        QTRY_VERIFY(ended);
        QVERIFY(!worker.IsBusy());
        QVERIFY(jobThread != QThread::currentThreadId());
        QVERIFY(!wrongThread);
        QVERIFY(!wrongSender);
        QCOMPARE(result, QStringLiteral("result"));
        QCOMPARE(events.size(), 5001);
        for (int i = 0; i < 5000; ++i) {
            QCOMPARE(events[i], i);
        }
        QCOMPARE(events.last(), -1);
    }

    // A second start while the first has not ended is refused.
    void oneJobAtATime() {
        BackgroundWorker worker;
        std::atomic<bool> release{false};
        worker.DoWork = [&](QObject*, DoWorkEventArgs&) {
            while (!release) {
                QThread::yieldCurrentThread();
            }
        };
        int endings = 0;
        worker.RunWorkerCompleted = [&](QObject*, RunWorkerCompletedEventArgs&) {
            ++endings;
        };
        QVERIFY(worker.RunWorkerAsync(std::any()));
        QVERIFY(!worker.RunWorkerAsync(std::any()));
        release = true;
        QTRY_COMPARE(endings, 1);
        QVERIFY(worker.RunWorkerAsync(std::any()));
        QTRY_COMPARE(endings, 2);
    }

    void cancellation() {
        BackgroundWorker worker;
        worker.WorkerSupportsCancellation = true;
        std::atomic<bool> started{false};
        worker.DoWork = [&](QObject*, DoWorkEventArgs& e) {
            started = true;
            while (!worker.CancellationPending()) {
                QThread::yieldCurrentThread();
            }
            e.Result = 1; // dropped: a cancelled job has no result
            e.Cancel = true;
        };
        RunWorkerCompletedEventArgs seen;
        bool ended = false;
        worker.RunWorkerCompleted = [&](QObject*, RunWorkerCompletedEventArgs& e) {
            seen = e;
            ended = true;
        };
        QVERIFY(worker.RunWorkerAsync(std::any()));
        QTRY_VERIFY(started);
        worker.CancelAsync();
        QTRY_VERIFY(ended);
        QVERIFY(seen.Cancelled);
        QVERIFY(!seen.Error);
        QVERIFY(!seen.Result.has_value());

        // A request made while idle is cleared by the next start.
        worker.CancelAsync();
        QVERIFY(worker.CancellationPending());
        bool sawCancel = true;
        worker.DoWork = [&](QObject*, DoWorkEventArgs&) {
            sawCancel = worker.CancellationPending();
        };
        ended = false;
        QVERIFY(worker.RunWorkerAsync(std::any()));
        QTRY_VERIFY(ended);
        QVERIFY(!sawCancel);
        QVERIFY(!seen.Cancelled);
    }

    // Without the switch on, cancel requests and reports go nowhere.
    void switchesOff() {
        BackgroundWorker worker;
        worker.CancelAsync();
        QVERIFY(!worker.CancellationPending());
        int reports = 0;
        worker.ProgressChanged = [&](QObject*, ProgressChangedEventArgs&) {
            ++reports;
        };
        bool ended = false;
        worker.RunWorkerCompleted = [&](QObject*, RunWorkerCompletedEventArgs&) {
            ended = true;
        };
        worker.DoWork = [&](QObject*, DoWorkEventArgs&) {
            worker.ReportProgress(5, std::any());
        };
        QVERIFY(worker.RunWorkerAsync(std::any()));
        QTRY_VERIFY(ended);
        QCOMPARE(reports, 0);
    }

    void errorEnding() {
        BackgroundWorker worker;
        worker.DoWork = [](QObject*, DoWorkEventArgs& e) {
            e.Result = 7;
            throw std::runtime_error("boom");
        };
        RunWorkerCompletedEventArgs seen;
        bool ended = false;
        worker.RunWorkerCompleted = [&](QObject*, RunWorkerCompletedEventArgs& e) {
            seen = e;
            ended = true;
        };
        QVERIFY(worker.RunWorkerAsync(std::any()));
        QTRY_VERIFY(ended);
        QVERIFY(seen.Error);
        QVERIFY(!seen.Cancelled);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, std::rethrow_exception(seen.Error));
    }

    // Destroying the worker waits for its job; the ending is then never delivered.
    void destroyedWhileRunning() {
        std::atomic<bool> finished{false};
        bool ended = false;
        {
            BackgroundWorker worker;
            worker.DoWork = [&](QObject*, DoWorkEventArgs&) {
                QThread::msleep(50);
                finished = true;
            };
            worker.RunWorkerCompleted = [&](QObject*, RunWorkerCompletedEventArgs&) {
                ended = true;
            };
            QVERIFY(worker.RunWorkerAsync(std::any()));
        }
        QVERIFY(finished);
        QCoreApplication::processEvents();
        QVERIFY(!ended);
    }
};

QTEST_GUILESS_MAIN(TestWorker)
#include "tst_worker.moc"

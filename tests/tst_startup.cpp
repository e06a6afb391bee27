// Start-up and shutdown: the state the window starts in, the work buffer and its fallbacks, the
// fatal allocation failure, closing with temporary files, and closing while a job runs.
#include "Form1.h"
#include "FormMessageBox.h"
#include "Program.h"

#include <QApplication>
#include <QComboBox>
#include <QCryptographicHash>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <functional>
#include <new>

using namespace quorvel;

namespace {

// Counts the digests alive and the steps they take, so a test can tell whether a job is still
// running.
struct DigestCounter {
    std::atomic<int> alive{0};
    std::atomic<int> updates{0};
    std::atomic<int> finals{0};
    // When set, the second update waits until this says the job is being stopped, so the job is
    // certainly inside a read of the buffer when the window goes.
    std::function<bool()> holdSecondUpdateUntil;
    std::atomic<unsigned> checksum{0};
};

class CountedDigest : public StreamingDigest {
public:
    CountedDigest(EAlgorithm alg, DigestCounter& counter) : m_inner(MakeEvpDigest(alg)), m_counter(counter) {
        ++m_counter.alive;
    }
    ~CountedDigest() override { --m_counter.alive; }
    int Init() override { return m_inner->Init(); }
    int Update(const unsigned char* data, size_t length) override {
        if (++m_counter.updates == 2 && m_counter.holdSecondUpdateUntil) {
            while (!m_counter.holdSecondUpdateUntil()) {
                QThread::yieldCurrentThread();
            }
            // Give a window that did not wait for the job time to free the buffer, then read all of it
            // here, in code the sanitizer watches (the library's own digest code is not watched).
            QThread::msleep(20);
            unsigned sum = 0;
            for (size_t i = 0; i < length; ++i) {
                sum += data[i];
            }
            m_counter.checksum = sum;
        }
        return m_inner->Update(data, length); // reads the work buffer
    }
    int Final(unsigned char* digest) override {
        ++m_counter.finals;
        return m_inner->Final(digest);
    }

private:
    std::unique_ptr<StreamingDigest> m_inner;
    DigestCounter& m_counter;
};

// Child process: no allocation succeeds. Reports what the message window shows, closes it, and
// lets the window end the process.
int RunFatalChild(int argc, char** argv) {
    QApplication app(argc, argv);
    SetUpApplication(app);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [] {
        auto* box = qobject_cast<FormMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        int mainWindowsShown = 0;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            mainWindowsShown += (qobject_cast<Form1*>(w) != nullptr && w->isVisible()) ? 1 : 0;
        }
        std::printf("title=%s\nmessage=%s\nmainWindowsShown=%d\n", qPrintable(box->windowTitle()),
                    qPrintable(box->lbMessage->text()), mainWindowsShown);
        std::fflush(stdout);
        box->btOK->click();
    });
    poll.start(10);
    Form1 form({}, [](int32_t) -> unsigned char* { return nullptr; });
    std::printf("constructor returned\n");
    return 3;
}

// Child process: the real entry point; the window is closed as soon as the loop runs.
void CloseWindowsOnceRunning() {
    QTimer::singleShot(0, [] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (qobject_cast<Form1*>(w) != nullptr) {
                std::printf("shown=%d\n", w->isVisible() ? 1 : 0);
                std::fflush(stdout);
                w->close();
            }
        }
    });
}

int RunMainChild(int argc, char** argv) {
    qAddPreRoutine(CloseWindowsOnceRunning);
    // The flag that chose this mode is not one of the program's arguments.
    std::vector<char*> args{argv[0]};
    for (int i = 2; i < argc; ++i) {
        args.push_back(argv[i]);
    }
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);
    return Main(count, args.data());
}

QProcessEnvironment ChildEnvironment() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // The child ends through exit(), with the toolkit's caches still held; they are not leaks of ours.
    env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    return env;
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { SetUpApplication(*qobject_cast<QApplication*>(QCoreApplication::instance())); }

    void startWithoutArguments() {
        Form1 form({});
        QCOMPARE(form.tabControl->currentWidget(), form.tabSingle);
        QCOMPARE(form.toolStripStatusLabel->text(), QString());
        QCOMPARE(form.TabSingleOpenFileDialog.FileName, QString());
        QCOMPARE(form.cbTabMultiple->currentIndex(), 0);
        QCOMPARE(form.cbTabMultiple->currentText(), QStringLiteral("MD5"));
        QCOMPARE(form.cbTabManual->currentIndex(), 0);
        QCOMPARE(form.cbTabManual->currentText(), QStringLiteral("MD5"));
        QVERIFY(form.L_TempFiles.isEmpty());
        QCOMPARE(form.iChunkSize, 131072);
        QVERIFY(form.btWorkBuffer != nullptr);
        QCOMPARE(form.tsProgressBar->value(), 0);
    }

    void bufferFallback_data() {
        QTest::addColumn<int>("largestGranted");
        QTest::addColumn<bool>("refuseByThrowing");
        QTest::addColumn<int>("chunkSize");
        QTest::addColumn<QList<int>>("tried");
        QTest::newRow("128 KiB") << 131072 << false << 131072 << QList<int>{131072};
        QTest::newRow("64 KiB") << 65536 << false << 65536 << QList<int>{131072, 65536};
        QTest::newRow("4 KiB") << 4096 << false << 4096 << QList<int>{131072, 65536, 4096};
        QTest::newRow("64 KiB, refusals thrown") << 65536 << true << 65536 << QList<int>{131072, 65536};
        QTest::newRow("4 KiB, refusals thrown") << 4096 << true << 4096 << QList<int>{131072, 65536, 4096};
    }
    void bufferFallback() {
        QFETCH(int, largestGranted);
        QFETCH(bool, refuseByThrowing);
        QFETCH(int, chunkSize);
        QFETCH(QList<int>, tried);
        QList<int> asked;
        auto allocate = [&](int32_t size) -> unsigned char* {
            asked << size;
            if (size > largestGranted) {
                if (refuseByThrowing) {
                    throw std::bad_alloc();
                }
                return nullptr;
            }
            return Form1::PlainAllocate(size);
        };
        bool exited = false;
        Form1 form({}, allocate, [&](int) { exited = true; });
        QVERIFY(!exited);
        QCOMPARE(asked, tried);
        QCOMPARE(form.iChunkSize, chunkSize);
        QVERIFY(form.btWorkBuffer != nullptr);

        // A job reads through the smaller buffer just the same.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("data.bin"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(200000, 'z'));
        file.close();
        form.TabSingleOpenFileDialog.FileName = path;
        QTest::mouseClick(form.btTabSingleMD5, Qt::LeftButton);
        QTRY_COMPARE(form.toolStripStatusLabel->text(), QStringLiteral("Done"));
        QCOMPARE(form.tbMD5->text(),
                 QString::fromLatin1(
                     QCryptographicHash::hash(QByteArray(200000, 'z'), QCryptographicHash::Md5).toHex().toUpper()));
    }

    // No buffer at all: the message window, then the end of the process with status -1, and the
    // main window never shown.
    void fatalAllocation() {
        QProcess child;
        child.setProcessEnvironment(ChildEnvironment());
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child-fatal")});
        QVERIFY(child.waitForFinished(120000));
        const QString out = QString::fromLocal8Bit(child.readAllStandardOutput());
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 255); // -1 as the system reports it
        QVERIFY2(out.contains(QStringLiteral("title=Bad memory allocation\n")), qPrintable(out));
        QVERIFY2(out.contains(QStringLiteral("message=Memory allocation failed. Program will abort   \n")),
                 qPrintable(out));
        QVERIFY2(out.contains(QStringLiteral("mainWindowsShown=0\n")), qPrintable(out));
        QVERIFY2(!out.contains(QStringLiteral("constructor returned")), qPrintable(out));
    }

    // The program shows its window and returns 0 once it has closed.
    void mainReturnsZero() {
        QProcess child;
        child.setProcessEnvironment(ChildEnvironment());
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child-main")});
        QVERIFY(child.waitForFinished(120000));
        const QString out = QString::fromLocal8Bit(child.readAllStandardOutput());
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
        QVERIFY2(out.contains(QStringLiteral("shown=1\n")), qPrintable(out));
    }

    // Closing deletes every recorded temporary file that is still there, in order, passing over
    // those already gone.
    void closingDeletesTemporaryFiles() {
        QTemporaryDir dir;
        QStringList paths;
        for (const char* name : {"a.txt", "gone.txt", "b.txt"}) {
            paths << dir.filePath(QLatin1String(name));
        }
        for (const QString& p : {paths[0], paths[2]}) {
            QFile f(p);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        const QString unrelated = dir.filePath(QStringLiteral("keep.txt"));
        {
            QFile f(unrelated);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        Form1 form({});
        form.show();
        form.L_TempFiles = paths;
        QVERIFY(form.close());
        QVERIFY(!form.isVisible());
        QVERIFY(!QFile::exists(paths[0]));
        QVERIFY(!QFile::exists(paths[2]));
        QVERIFY(QFile::exists(unrelated));
    }

    // Closing and disposing of the window while the job is inside a read of the work buffer: the job
    // is stopped and waited for before the buffer goes, so nothing reads freed memory (the sanitizer
    // build checks the reads themselves).
    void closeMidJob() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("large.bin"));
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            const QByteArray block(1 << 20, 'L');
            for (int i = 0; i < 8; ++i) {
                QCOMPARE(f.write(block), block.size());
            }
        }
        DigestCounter counter;
        auto* form = new Form1({});
        BackgroundWorker* worker = form->bgWorker;
        counter.holdSecondUpdateUntil = [worker] {
            return worker->CancellationPending();
        };
        form->digestFactory = [&counter](EAlgorithm alg) {
            return std::make_unique<CountedDigest>(alg, counter);
        };
        form->show();
        form->TabSingleOpenFileDialog.FileName = path;
        QTest::mouseClick(form->btTabSingleSHA512, Qt::LeftButton);
        QTRY_COMPARE(counter.updates.load(), 2); // held inside the second read
        QVERIFY(form->bgWorker->IsBusy());
        QVERIFY(form->close());
        QVERIFY(!form->bgWorker->CancellationPending()); // closing alone neither cancels nor waits
        delete form;
        QCOMPARE(counter.alive.load(), 0);  // the job has let go of everything
        QCOMPARE(counter.finals.load(), 0); // and it was stopped, not run to its end
        QCOMPARE(counter.updates.load(), 2);
        QCOMPARE(counter.checksum.load(), 131072u * 'L'); // the held read saw the file's data
        QCoreApplication::processEvents();                // an ending posted to the gone window is dropped
        QCOMPARE(counter.updates.load(), 2);
    }
};

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--child-fatal") == 0) {
        return RunFatalChild(argc, argv);
    }
    if (argc > 1 && std::strcmp(argv[1], "--child-main") == 0) {
        return RunMainChild(argc, argv);
    }
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestStartup test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"

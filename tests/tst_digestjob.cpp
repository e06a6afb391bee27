// The file digest job: order, entries, progress, cancellation and its endings, over real files.
#include "DigestJob.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <limits>
#include <mutex>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace quorvel;

Q_DECLARE_METATYPE(quorvel::EAlgorithm)
Q_DECLARE_METATYPE(quorvel::DigestStep)

namespace {

constexpr int32_t kChunk = 131072;

struct Report {
    int32_t percent;
    int32_t processing;
    int32_t numberOfFiles;
    ETab tab;
};

// Runs the job on the test's own thread and records every report.
class RecordingWorker : public JobWorker {
public:
    bool CancellationPending() const override { return cancel.load(); }
    void ReportProgress(int32_t percent, const std::shared_ptr<Progress>& state) override {
        reports.push_back({percent, state->iProcessing, state->iNumberOfFiles, state->tab});
        if (onReport) {
            onReport(*this);
        }
    }
    std::atomic<bool> cancel{false};
    std::vector<Report> reports;
    std::function<void(RecordingWorker&)> onReport;
};

// A digest whose chosen step fails, to see the job end with the failure text.
class FailingDigest : public StreamingDigest {
public:
    FailingDigest(EAlgorithm alg, DigestStep failing) : m_inner(MakeEvpDigest(alg)), m_failing(failing) {}
    int Init() override { return m_failing == DigestStep::Init ? 0 : m_inner->Init(); }
    int Update(const unsigned char* data, size_t length) override {
        return m_failing == DigestStep::Update ? -1 : m_inner->Update(data, length);
    }
    int Final(unsigned char* digest) override { return m_failing == DigestStep::Final ? 0 : m_inner->Final(digest); }

private:
    std::unique_ptr<StreamingDigest> m_inner;
    DigestStep m_failing;
};

QByteArray RandomBytes(qsizetype size, quint32 seed) {
    QByteArray data(size, Qt::Uninitialized);
    QRandomGenerator generator(seed);
    for (qsizetype i = 0; i < size; ++i) {
        data[i] = static_cast<char>(generator.generate() & 0xFF);
    }
    return data;
}

QString OneShot(const QByteArray& data, EAlgorithm alg) {
    unsigned char digest[kMaxDigestLength] = {};
    HashFromMemory(reinterpret_cast<const unsigned char*>(data.constData()), static_cast<int32_t>(data.size()), alg,
                   digest);
    return Hex_To_String(digest, DigestLength(alg));
}

} // namespace

class TestDigestJob : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();

    void percentages_data();
    void percentages();
    void chunkedEqualsOneShot_data();
    void chunkedEqualsOneShot();
    void emptyRequest();
    void zeroLengthFilePostsNothing();
    void openFailuresDoNotStopTheJob();
    void samePathTwice();
    void sortsTheStartersList_data();
    void sortsTheStartersList();
    void progressRecord();
    void cancelMidFile();
    void cancelWithNoFurtherChunkCompletes();
    void stepFailure_data();
    void stepFailure();
    void reportsPerChunk();
    void fileLargerThan4GiB();
    void fifoWithoutWriterIsEmpty();
    void fifoWithWriterIsReadWhole();
    void fifoWaitingCanBeCancelled();
    void procfsFileIsDigested();
    void endlessDeviceCanBeCancelled();
    void onASecondThread();

private:
    QString write(const QString& name, const QByteArray& data);
    QTemporaryDir m_dir;
    std::vector<unsigned char> m_buffer = std::vector<unsigned char>(kChunk);
};

void TestDigestJob::initTestCase() {
    QVERIFY(m_dir.isValid());
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestDigestJob::cleanup() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

QString TestDigestJob::write(const QString& name, const QByteArray& data) {
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data) != data.size()) {
        qFatal("cannot write fixture %s", qPrintable(path));
    }
    return path;
}

void TestDigestJob::percentages_data() {
    QTest::addColumn<qint64>("done");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<int>("percent");
    // Quotient first, then times 100: 0.29 * 100 is just below 29.
    QTest::newRow("29 of 100") << qint64(29) << qint64(100) << 28;
    QTest::newRow("58 of 100") << qint64(58) << qint64(100) << 57;
    QTest::newRow("87 of 100") << qint64(87) << qint64(100) << 87;
    QTest::newRow("all") << qint64(100) << qint64(100) << 100;
    QTest::newRow("grown past its size") << qint64(113) << qint64(100) << 112;
    QTest::newRow("one third") << qint64(1) << qint64(3) << 33;
    QTest::newRow("beyond 4 GiB") << qint64(5) * 1024 * 1024 * 1024 << qint64(10) * 1024 * 1024 * 1024 << 50;
    QTest::newRow("measured empty") << qint64(4096) << qint64(0) << std::numeric_limits<int32_t>::max();
    QTest::newRow("unmeasurable") << qint64(4096) << qint64(-1) << -409600;
    QTest::newRow("far below the range") << qint64(1) << qint64(0) - 1 << -100;
    QTest::newRow("huge quotient") << std::numeric_limits<qint64>::max() << qint64(1)
                                   << std::numeric_limits<int32_t>::max();
    QTest::newRow("huge negative quotient")
        << std::numeric_limits<qint64>::max() << qint64(-1) << std::numeric_limits<int32_t>::min();
}

void TestDigestJob::percentages() {
    QFETCH(qint64, done);
    QFETCH(qint64, size);
    QFETCH(int, percent);
    QCOMPARE(PercentOf(done, size), percent);
}

void TestDigestJob::chunkedEqualsOneShot_data() {
    QTest::addColumn<EAlgorithm>("alg");
    QTest::addColumn<int>("size");
    for (const AlgorithmInfo& info : kAlgorithms) {
        for (int size : {0, 1, kChunk - 1, kChunk, kChunk + 1, 3 * kChunk + 7}) {
            QTest::addRow("%s %d", info.stepName, size) << info.alg << size;
        }
    }
}

void TestDigestJob::chunkedEqualsOneShot() {
    QFETCH(EAlgorithm, alg);
    QFETCH(int, size);
    const QByteArray data = RandomBytes(size, static_cast<quint32>(size) + 17);
    const QString path = write(QStringLiteral("data-%1.bin").arg(size), data);

    InputArguments request;
    request.L_Files = {path};
    request.alg = alg;
    RecordingWorker worker;
    const JobOutcome outcome = RunFileDigestJob(request, m_buffer.data(), kChunk, worker);

    QCOMPARE(outcome.kind, JobOutcome::Kind::Completed);
    QCOMPARE(outcome.result->L_Hashes, QStringList{OneShot(data, alg)});
    QCOMPARE(outcome.result->alg, alg);
    const size_t chunks = static_cast<size_t>((size + kChunk - 1) / kChunk);
    QCOMPARE(worker.reports.size(), chunks);
    if (chunks > 0) {
        QCOMPARE(worker.reports.back().percent, 100);
    }
}

void TestDigestJob::emptyRequest() {
    InputArguments request;
    request.tab = ETab::MULTIPLE_FILES;
    request.alg = EAlgorithm::SHA384;
    RecordingWorker worker;
    const JobOutcome outcome = RunFileDigestJob(request, m_buffer.data(), kChunk, worker);
    QCOMPARE(outcome.kind, JobOutcome::Kind::Completed);
    QVERIFY(outcome.result->L_Files.isEmpty());
    QVERIFY(outcome.result->L_Hashes.isEmpty());
    QCOMPARE(outcome.result->alg, EAlgorithm::SHA384);
    QCOMPARE(outcome.result->tab, ETab::MULTIPLE_FILES);
    QVERIFY(worker.reports.empty());
}

void TestDigestJob::zeroLengthFilePostsNothing() {
    InputArguments request;
    request.L_Files = {write(QStringLiteral("empty.bin"), QByteArray())};
    request.alg = EAlgorithm::SHA256;
    RecordingWorker worker;
    const JobOutcome outcome = RunFileDigestJob(request, m_buffer.data(), kChunk, worker);
    QCOMPARE(outcome.kind, JobOutcome::Kind::Completed);
    QCOMPARE(outcome.result->L_Hashes,
             QStringList{QStringLiteral("E3B0C44298FC1C149AFBF4C8996FB92427AE41E4649B934CA495991B7852B855")});
    QVERIFY(worker.reports.empty());
}

void TestDigestJob::openFailuresDoNotStopTheJob() {
    const QString first = write(QStringLiteral("a-first.bin"), "abc");
    const QString missing = m_dir.filePath(QStringLiteral("b-missing.bin"));
    const QString directory = m_dir.filePath(QStringLiteral("c-folder"));
    QVERIFY(QDir().mkpath(directory));
    const QString last = write(QStringLiteral("d-last.bin"), "abc");

    InputArguments request;
    request.L_Files = {last, directory, missing, first};
    request.alg = EAlgorithm::MD5;
    RecordingWorker worker;
    const JobOutcome outcome = RunFileDigestJob(request, m_buffer.data(), kChunk, worker);

    QCOMPARE(outcome.kind, JobOutcome::Kind::Completed);
    QCOMPARE(outcome.result->L_Files, (QStringList{first, missing, directory, last}));
    QCOMPARE(outcome.result->L_Hashes, (QStringList{
                                           QStringLiteral("900150983CD24FB0D6963F7D28E17F72"),
                                           QStringLiteral("Error (%1) opening b-missing.bin").arg(ENOENT),
                                           // A directory is not the empty message.
                                           QStringLiteral("Error (%1) opening c-folder").arg(EISDIR),
                                           QStringLiteral("900150983CD24FB0D6963F7D28E17F72"),
                                       }));
    // Failed opens post nothing.
    QCOMPARE(worker.reports.size(), size_t(2));
    QCOMPARE(worker.reports[0].processing, 1);
    QCOMPARE(worker.reports[1].processing, 4);
}

void TestDigestJob::samePathTwice() {
    const QString a = write(QStringLiteral("twice-a.bin"), "abc");
    const QString b = write(QStringLiteral("twice-b.bin"), "");
    InputArguments request;
    request.L_Files = {a, b, a};
    request.alg = EAlgorithm::SHA1;
    RecordingWorker worker;
    const JobOutcome outcome = RunFileDigestJob(request, m_buffer.data(), kChunk, worker);
    QCOMPARE(outcome.result->L_Files, (QStringList{a, a, b}));
    const QString abc = QStringLiteral("A9993E364706816ABA3E25717850C26C9CD0D89D");
    QCOMPARE(outcome.result->L_Hashes,
             (QStringList{abc, abc, QStringLiteral("DA39A3EE5E6B4B0D3255BFEF95601890AFD80709")}));
}

void TestDigestJob::sortsTheStartersList_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("given");
    QTest::addColumn<QStringList>("sorted");
    const QStringList given{"/t/c.txt", "/t/B.txt", "/t/a.txt", "/t/\u00e9.txt", "/t/e.txt", "/t/f10.txt", "/t/f9.txt"};
    // Linguistic, not code point order: case and accents are secondary differences.
    const QStringList english{"/t/a.txt",      "/t/B.txt",   "/t/c.txt", "/t/e.txt",
                              "/t/\u00e9.txt", "/t/f10.txt", "/t/f9.txt"};
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates) << given << english;
    QTest::newRow("C falls back to English") << QLocale::c() << given << english;
    QTest::newRow("Swedish puts a-ring last") << QLocale(QLocale::Swedish, QLocale::Sweden)
                                              << QStringList{"\u00e5", "b", "z"} << QStringList{"b", "z", "\u00e5"};
}

void TestDigestJob::sortsTheStartersList() {
    QFETCH(QLocale, locale);
    QFETCH(QStringList, given);
    QFETCH(QStringList, sorted);
    QLocale::setDefault(locale);

    // Paths need not exist to be sorted; each becomes an open failure.
    InputArguments request;
    request.L_Files = given;
    RecordingWorker worker;
    const JobOutcome outcome = RunFileDigestJob(request, m_buffer.data(), kChunk, worker);
    QCOMPARE(request.L_Files, sorted);
    QCOMPARE(outcome.result->L_Files, sorted);
}

void TestDigestJob::progressRecord() {
    const QString a = write(QStringLiteral("progress-a.bin"), RandomBytes(kChunk + 1, 1));
    const QString b = write(QStringLiteral("progress-b.bin"), "x");
    InputArguments request;
    request.L_Files = {b, a};
    request.alg = EAlgorithm::SHA224;
    request.tab = ETab::MULTIPLE_FILES;
    RecordingWorker worker;
    QCOMPARE(RunFileDigestJob(request, m_buffer.data(), kChunk, worker).kind, JobOutcome::Kind::Completed);

    QCOMPARE(worker.reports.size(), size_t(3));
    const Report expected[] = {
        {99, 1, 2, ETab::MULTIPLE_FILES}, {100, 1, 2, ETab::MULTIPLE_FILES}, {100, 2, 2, ETab::MULTIPLE_FILES}};
    for (size_t i = 0; i < 3; ++i) {
        QCOMPARE(worker.reports[i].percent, expected[i].percent);
        QCOMPARE(worker.reports[i].processing, expected[i].processing);
        QCOMPARE(worker.reports[i].numberOfFiles, expected[i].numberOfFiles);
        QCOMPARE(worker.reports[i].tab, expected[i].tab);
    }
}

void TestDigestJob::cancelMidFile() {
    const QString big = write(QStringLiteral("cancel-big.bin"), RandomBytes(4 * kChunk, 2));
    const QString later = write(QStringLiteral("cancel-later.bin"), "abc");
    InputArguments request;
    request.L_Files = {big, later};
    request.alg = EAlgorithm::SHA512;
    RecordingWorker worker;
    worker.onReport = [](RecordingWorker& w) {
        w.cancel = true;
    };
    const JobOutcome outcome = RunFileDigestJob(request, m_buffer.data(), kChunk, worker);
    QCOMPARE(outcome.kind, JobOutcome::Kind::Cancelled);
    QVERIFY(!outcome.result);
    // Seen right after the next update step, before that chunk is reported.
    QCOMPARE(worker.reports.size(), size_t(1));
}

void TestDigestJob::cancelWithNoFurtherChunkCompletes() {
    // A request that arrives while no chunk is left to read has no effect.
    InputArguments request;
    request.L_Files = {write(QStringLiteral("nochunk-empty.bin"), ""), m_dir.filePath(QStringLiteral("nochunk-gone"))};
    RecordingWorker worker;
    worker.cancel = true;
    const JobOutcome outcome = RunFileDigestJob(request, m_buffer.data(), kChunk, worker);
    QCOMPARE(outcome.kind, JobOutcome::Kind::Completed);
    QCOMPARE(outcome.result->L_Hashes.size(), 2);

    // Likewise a request made during the last chunk of the last file.
    request.L_Files = {write(QStringLiteral("nochunk-small.bin"), "abc")};
    worker.cancel = false;
    worker.onReport = [](RecordingWorker& w) {
        w.cancel = true;
    };
    QCOMPARE(RunFileDigestJob(request, m_buffer.data(), kChunk, worker).kind, JobOutcome::Kind::Completed);
}

void TestDigestJob::stepFailure_data() {
    QTest::addColumn<EAlgorithm>("alg");
    QTest::addColumn<DigestStep>("step");
    QTest::addColumn<QString>("text");
    QTest::newRow("MD5 init") << EAlgorithm::MD5 << DigestStep::Init << "Internal MD5_Init error | data.bin";
    QTest::newRow("SHA256 update") << EAlgorithm::SHA256 << DigestStep::Update
                                   << "Internal SHA256_Update error | data.bin";
    QTest::newRow("SHA384 final") << EAlgorithm::SHA384 << DigestStep::Final
                                  << "Internal SHA384_Final error | data.bin";
}

void TestDigestJob::stepFailure() {
    QFETCH(EAlgorithm, alg);
    QFETCH(DigestStep, step);
    QFETCH(QString, text);
    const QString path = write(QStringLiteral("data.bin"), "some data");
    InputArguments request;
    request.L_Files = {path, write(QStringLiteral("later.bin"), "x")};
    request.alg = alg;
    RecordingWorker worker;
    int digestsMade = 0;
    const DigestFactory failing = [&](EAlgorithm a) -> std::unique_ptr<StreamingDigest> {
        ++digestsMade;
        return std::make_unique<FailingDigest>(a, step);
    };
    const JobOutcome outcome = RunFileDigestJob(request, m_buffer.data(), kChunk, worker, failing);
    QCOMPARE(outcome.kind, JobOutcome::Kind::Failed);
    QCOMPARE(outcome.failureText, text);
    QVERIFY(!outcome.result);
    QCOMPARE(digestsMade, 1); // the later file is not handled
}

void TestDigestJob::reportsPerChunk() {
    // A small buffer gives the 29-of-100 case straight from the job.
    std::vector<unsigned char> small(29);
    InputArguments request;
    request.L_Files = {write(QStringLiteral("hundred.bin"), RandomBytes(100, 3))};
    RecordingWorker worker;
    QCOMPARE(RunFileDigestJob(request, small.data(), 29, worker).kind, JobOutcome::Kind::Completed);
    std::vector<int32_t> percents;
    for (const Report& r : worker.reports) {
        percents.push_back(r.percent);
    }
    QCOMPARE(percents, (std::vector<int32_t>{28, 57, 87, 100}));
}

void TestDigestJob::fileLargerThan4GiB() {
    // Sparse, so it costs no disk; MD5 reads it without pausing.
    const qint64 size = (qint64(4) << 30) + kChunk + 7;
    const QString path = m_dir.filePath(QStringLiteral("sparse.bin"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        if (!file.resize(size)) {
            QSKIP("The temp folder's file system cannot hold a sparse file over 4 GiB");
        }
    }
    InputArguments request;
    request.L_Files = {path};
    request.alg = EAlgorithm::MD5;
    RecordingWorker worker;
    const JobOutcome outcome = RunFileDigestJob(request, m_buffer.data(), kChunk, worker);
    QFile::remove(path);
    QCOMPARE(outcome.kind, JobOutcome::Kind::Completed);
    QCOMPARE(worker.reports.size(), static_cast<size_t>(size / kChunk + 1));
    int32_t previous = 0;
    for (const Report& r : worker.reports) {
        QVERIFY2(r.percent >= previous && r.percent <= 100, "percentages must rise steadily within 0..100");
        previous = r.percent;
    }
    QCOMPARE(worker.reports.back().percent, 100);
    QCOMPARE(worker.reports[worker.reports.size() / 2].percent, 50);
    QCOMPARE(outcome.result->L_Hashes.first().size(), 32);
}

void TestDigestJob::fifoWithoutWriterIsEmpty() {
    const QString path = m_dir.filePath(QStringLiteral("fifo-nowriter"));
    QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    InputArguments request;
    request.L_Files = {path};
    RecordingWorker worker;
    const JobOutcome outcome = RunFileDigestJob(request, m_buffer.data(), kChunk, worker);
    QCOMPARE(outcome.kind, JobOutcome::Kind::Completed);
    QCOMPARE(outcome.result->L_Hashes, QStringList{QStringLiteral("D41D8CD98F00B204E9800998ECF8427E")});
}

void TestDigestJob::fifoWithWriterIsReadWhole() {
    const QString path = m_dir.filePath(QStringLiteral("fifo-writer"));
    QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    // Opening read-write gives the pipe a writer before the job opens it.
    const int writer = ::open(QFile::encodeName(path).constData(), O_RDWR);
    QVERIFY(writer >= 0);
    const QByteArray data = RandomBytes(3 * kChunk + 5, 4);
    std::thread feeder([&] {
        // Trickle it in pieces, so the job has to wait between them.
        for (qsizetype offset = 0; offset < data.size(); offset += 10000) {
            const qsizetype piece = std::min<qsizetype>(10000, data.size() - offset);
            if (::write(writer, data.constData() + offset, static_cast<size_t>(piece)) != piece) {
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ::close(writer);
    });
    InputArguments request;
    request.L_Files = {path};
    request.alg = EAlgorithm::SHA256;
    RecordingWorker worker;
    const JobOutcome outcome = RunFileDigestJob(request, m_buffer.data(), kChunk, worker);
    feeder.join();
    QCOMPARE(outcome.kind, JobOutcome::Kind::Completed);
    QCOMPARE(outcome.result->L_Hashes, QStringList{OneShot(data, EAlgorithm::SHA256)});
}

void TestDigestJob::fifoWaitingCanBeCancelled() {
    const QString path = m_dir.filePath(QStringLiteral("fifo-silent"));
    QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    const int writer = ::open(QFile::encodeName(path).constData(), O_RDWR);
    QVERIFY(writer >= 0);
    RecordingWorker worker;
    std::thread canceller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        worker.cancel = true;
    });
    InputArguments request;
    request.L_Files = {path};
    const JobOutcome outcome = RunFileDigestJob(request, m_buffer.data(), kChunk, worker);
    canceller.join();
    ::close(writer);
    QCOMPARE(outcome.kind, JobOutcome::Kind::Cancelled);
}

void TestDigestJob::procfsFileIsDigested() {
    if (!QFile::exists(QStringLiteral("/proc/cpuinfo"))) {
        QSKIP("No /proc/cpuinfo here");
    }
    InputArguments request;
    request.L_Files = {QStringLiteral("/proc/cpuinfo")};
    request.alg = EAlgorithm::SHA1;
    RecordingWorker worker;
    const JobOutcome outcome = RunFileDigestJob(request, m_buffer.data(), kChunk, worker);
    QCOMPARE(outcome.kind, JobOutcome::Kind::Completed);
    QCOMPARE(outcome.result->L_Hashes.first().size(), 40);
    QVERIFY(!worker.reports.empty());
    // procfs files cannot be measured, yet they have bytes: every percentage falls outside 0..100,
    // which the window ignores, and none is undefined behaviour (the sanitizer build checks that).
    for (const Report& r : worker.reports) {
        QVERIFY2(r.percent < 0 || r.percent > 100, qPrintable(QString::number(r.percent)));
    }
}

void TestDigestJob::endlessDeviceCanBeCancelled() {
    InputArguments request;
    request.L_Files = {QStringLiteral("/dev/zero")};
    RecordingWorker worker;
    worker.onReport = [](RecordingWorker& w) {
        if (w.reports.size() == 50) {
            w.cancel = true;
        }
    };
    QCOMPARE(RunFileDigestJob(request, m_buffer.data(), kChunk, worker).kind, JobOutcome::Kind::Cancelled);
    QCOMPARE(worker.reports.size(), size_t(50));
}

void TestDigestJob::onASecondThread() {
    // The job posts to another thread, which reads the shared progress record while the job writes it.
    class QueueWorker : public JobWorker {
    public:
        bool CancellationPending() const override { return cancel.load(); }
        void ReportProgress(int32_t percent, const std::shared_ptr<Progress>& state) override {
            std::lock_guard lock(mutex);
            queue.push_back({percent, state});
            ready.notify_one();
        }
        std::atomic<bool> cancel{false};
        std::mutex mutex;
        std::condition_variable ready;
        std::deque<std::pair<int32_t, std::shared_ptr<Progress>>> queue;
    };

    QStringList files;
    for (int i = 0; i < 5; ++i) {
        files << write(QStringLiteral("thread-%1.bin").arg(i), RandomBytes(2 * kChunk + i, 10 + i));
    }
    for (const bool cancelHalfway : {false, true}) {
        QueueWorker worker;
        InputArguments request;
        request.L_Files = files;
        request.alg = EAlgorithm::SHA256;
        JobOutcome outcome;
        std::atomic<bool> ended{false};
        std::thread job([&] {
            outcome = RunFileDigestJob(request, m_buffer.data(), kChunk, worker);
            ended = true;
        });

        int seen = 0;
        int32_t lastFile = 0;
        bool done = false;
        while (!done) {
            std::unique_lock lock(worker.mutex);
            if (!worker.ready.wait_for(lock, std::chrono::milliseconds(20), [&] { return !worker.queue.empty(); })) {
                lock.unlock();
                // The job may have ended without a further report (after a cancel, say).
                done = ended.load();
                continue;
            }
            auto [percent, progress] = worker.queue.front();
            worker.queue.pop_front();
            lock.unlock();
            QVERIFY(percent >= 0 && percent <= 100);
            const int32_t processing = progress->iProcessing; // may already be ahead of this report
            QVERIFY(processing >= lastFile && processing <= 5);
            lastFile = processing;
            QCOMPARE(progress->iNumberOfFiles.load(), 5);
            if (++seen == 7 && cancelHalfway) {
                worker.cancel = true;
            }
            if (seen == 15) {
                done = true;
            }
        }
        job.join();
        if (cancelHalfway) {
            QCOMPARE(outcome.kind, JobOutcome::Kind::Cancelled);
        } else {
            QCOMPARE(outcome.kind, JobOutcome::Kind::Completed);
            QCOMPARE(outcome.result->L_Hashes.size(), 5);
            QCOMPARE(outcome.result->L_Hashes[2], OneShot(RandomBytes(2 * kChunk + 2, 12), EAlgorithm::SHA256));
        }
    }
}

QTEST_GUILESS_MAIN(TestDigestJob)
#include "tst_digestjob.moc"

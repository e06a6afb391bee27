// Measures a multiple-files job over many small files in the real window (offscreen): the job
// against its bound, and the report built into the view afterwards, per file.
//
// The job pauses 1 ms after every file (MD5 pauses after files only), so its bound is
// files x 1 ms + the bare time to read and digest the same files. job/bound near 1 means the
// job adds nothing of its own beyond those pauses. The report is built on the window thread,
// file by file, with the window's events handled between files; the bench also records the
// longest stretch in which the window could not answer while the report was built.
//
// Usage: quorvel_bench_report [files]   (default 10000 files of 1 KiB, in a fresh temp folder)

#include "Controls.h"
#include "Form1.h"
#include "Report.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTimer>

#include <openssl/evp.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

using namespace quorvel;

constexpr int kDefaultFiles = 10000;
constexpr int kFileSize = 1024;
constexpr int kRawRepetitions = 3;
constexpr double kPauseSeconds = 0.001;
constexpr double kReportTargetSeconds = 1.0; // for 10000 files

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "quorvel_bench_report: %s\n", what.c_str());
    std::exit(1);
}

QStringList WriteFiles(const QTemporaryDir& dir, int count) {
    std::mt19937 random(12345);
    QStringList paths;
    paths.reserve(count);
    QByteArray content(kFileSize, '\0');
    for (int i = 0; i < count; ++i) {
        for (char& c : content) {
            c = static_cast<char>(random() & 0xFF);
        }
        const QString path = dir.filePath(QStringLiteral("file%1.bin").arg(i, 5, 10, QLatin1Char('0')));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
            Fail("cannot write " + path.toStdString());
        }
        paths << path;
    }
    return paths;
}

// Open, read, digest and close every file, as bare as it gets: the job's work without its pauses.
double RawSeconds(const QStringList& paths) {
    std::vector<unsigned char> buffer(131072);
    EVP_MD_CTX* ctx = EVP_MD_CTX_new();
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    QElapsedTimer timer;
    timer.start();
    for (const QString& path : paths) {
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            Fail("cannot open " + path.toStdString());
        }
        EVP_DigestInit_ex(ctx, EVP_md5(), nullptr);
        ssize_t n = 0;
        while ((n = ::read(fd, buffer.data(), buffer.size())) > 0) {
            EVP_DigestUpdate(ctx, buffer.data(), static_cast<size_t>(n));
        }
        EVP_DigestFinal_ex(ctx, digest, &length);
        ::close(fd);
    }
    const double seconds = static_cast<double>(timer.nsecsElapsed()) * 1e-9;
    EVP_MD_CTX_free(ctx);
    return seconds;
}

struct WindowRun {
    double jobSeconds = 0;
    double reportSeconds = 0;
    double longestStallSeconds = 0; // longest stretch without the window handling its events
    int answers = 0;                // times the window handled its events while the report was built
    QString status;
    int bar = 0;
    qsizetype reportLength = 0;
};

WindowRun RunInWindow(const QStringList& paths) {
    Form1 form({});
    form.show();
    form.TabMultipleOpenFileDialog.Tag = QVariant(paths);
    form.cbTabMultiple->setCurrentIndex(static_cast<int>(EAlgorithm::MD5));

    WindowRun run;
    QElapsedTimer clock;
    qint64 jobEnd = -1;
    qint64 reportEnd = -1;
    qint64 lastAnswer = -1;
    qint64 longestStall = 0;

    // A zero timer fires every time the window gets round to its events.
    QTimer probe;
    probe.setInterval(0);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (jobEnd < 0 || reportEnd >= 0) {
            return;
        }
        const qint64 now = clock.nsecsElapsed();
        longestStall = std::max(longestStall, now - lastAnswer);
        lastAnswer = now;
        ++run.answers;
    });
    probe.start();

    auto shown = form.bgWorker->RunWorkerCompleted;
    form.bgWorker->RunWorkerCompleted = [&](QObject* sender, RunWorkerCompletedEventArgs& e) {
        jobEnd = clock.nsecsElapsed();
        lastAnswer = jobEnd;
        shown(sender, e);
        reportEnd = clock.nsecsElapsed();
        longestStall = std::max(longestStall, reportEnd - lastAnswer);
    };

    clock.start();
    form.btTabMutipleCalculate_Click(nullptr);
    while (reportEnd < 0) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    run.jobSeconds = static_cast<double>(jobEnd) * 1e-9;
    run.reportSeconds = static_cast<double>(reportEnd - jobEnd) * 1e-9;
    run.longestStallSeconds = static_cast<double>(longestStall) * 1e-9;
    run.status = form.toolStripStatusLabel->text();
    run.bar = form.tsProgressBar->value();
    run.reportLength = form.rtbTabMultiple->toPlainText().size();
    return run;
}

// The same report as text only, without the view: what the engine's part costs.
double TextOnlySeconds(const QStringList& paths) {
    OutputArguments result;
    result.L_Files = paths;
    SortPathsForUser(result.L_Files);
    for (qsizetype i = 0; i < paths.size(); ++i) {
        result.L_Hashes << QStringLiteral("0123456789ABCDEF0123456789ABCDEF");
    }
    result.tab = ETab::MULTIPLE_FILES;
    QElapsedTimer timer;
    timer.start();
    const QString text = BuildReportText(result);
    const double seconds = static_cast<double>(timer.nsecsElapsed()) * 1e-9;
    if (text.isEmpty()) {
        Fail("empty report text");
    }
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SetUpApplication(app);

    const int files = argc > 1 ? std::atoi(argv[1]) : kDefaultFiles;
    if (files <= 0) {
        Fail("the number of files must be positive");
    }
    QTemporaryDir dir;
    if (!dir.isValid()) {
        Fail("no temp folder");
    }
    std::printf("Writing %d files of %d bytes in %s...\n", files, kFileSize, qPrintable(dir.path()));
    const QStringList paths = WriteFiles(dir, files);

    double raw = 1e300;
    for (int i = 0; i < kRawRepetitions; ++i) {
        raw = std::min(raw, RawSeconds(paths));
    }
    const double textOnly = TextOnlySeconds(paths);
    const WindowRun run = RunInWindow(paths);

    if (!run.status.startsWith(QStringLiteral("Done")) || run.bar != 100) {
        Fail("the job did not end as it should: status \"" + run.status.toStdString() + "\", bar " +
             std::to_string(run.bar));
    }
    const double bound = files * kPauseSeconds + raw;
    const double target = kReportTargetSeconds * files / kDefaultFiles;
    std::printf("\n%d files of %d bytes, MD5, one multiple-files job in the window (offscreen)\n", files, kFileSize);
    std::printf("%-34s %10.3f s\n", "bare read+digest (best of 3)", raw);
    std::printf("%-34s %10.3f s\n", "job bound (files x 1 ms + bare)", bound);
    std::printf("%-34s %10.3f s   job/bound %.3f\n", "job, Calculate to its ending", run.jobSeconds,
                run.jobSeconds / bound);
    std::printf("%-34s %10.3f s   %.1f us/file   report/target %.3f (target %.2f s)\n", "report built into the view",
                run.reportSeconds, run.reportSeconds / files * 1e6, run.reportSeconds / target, target);
    std::printf("%-34s %10.3f s   %.1f us/file\n", "report text alone (engine)", textOnly, textOnly / files * 1e6);
    std::printf("%-34s %10.3f ms  (%d turns of the event loop during the report)\n", "longest time without answering",
                run.longestStallSeconds * 1e3, run.answers);
    std::printf("final status \"%s\", %lld characters in the view\n", qPrintable(run.status),
                static_cast<long long>(run.reportLength));
    return 0;
}

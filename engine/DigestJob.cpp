#include "DigestJob.h"

#include <QCollator>
#include <QFile>
#include <QLocale>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <ctime>
#include <limits>

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel {

namespace {

class FileHandle {
public:
    explicit FileHandle(int fd) : m_fd(fd) {}
    ~FileHandle() { close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int fd() const { return m_fd; }
    void close() {
        if (m_fd >= 0) {
            ::close(m_fd);
            m_fd = -1;
        }
    }

private:
    int m_fd;
};

// Opens for binary reading without ever blocking in open(): a FIFO with no writer opens at once
// (and reads as empty). A directory opens fine on Linux and would read as empty, which would
// pass off the digest of nothing as the directory's; refuse it as the open failure it is.
// Returns the descriptor, or -1 with errno set.
int OpenForReading(const QString& path, bool& waitsForData) {
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int saved = errno;
        ::close(fd);
        errno = saved;
        return -1;
    }
    if (S_ISDIR(st.st_mode)) {
        ::close(fd);
        errno = EISDIR;
        return -1;
    }
    // Regular files and block devices always have data ready; read them the ordinary blocking way.
    // Pipes, sockets and terminals stay non-blocking so that waiting for them can be cancelled.
    waitsForData = !S_ISREG(st.st_mode) && !S_ISBLK(st.st_mode);
    if (!waitsForData) {
        const int flags = ::fcntl(fd, F_GETFL);
        if (flags >= 0) {
            ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
        }
    }
    return fd;
}

constexpr ssize_t kCancelledWhileWaiting = -1;

// Fills the buffer as fread() does: short only at the end of the data or on a read error, which
// ends the data without being reported. A stream that has nothing to give yet is waited for in
// short slices so that a cancel request is seen.
ssize_t ReadChunk(int fd, unsigned char* buffer, size_t size, bool waitsForData, const JobWorker& worker) {
    size_t total = 0;
    while (total < size) {
        const ssize_t n = ::read(fd, buffer + total, size - total);
        if (n > 0) {
            total += static_cast<size_t>(n);
            continue;
        }
        if (n == 0) {
            break;
        }
        if (errno == EINTR) {
            continue;
        }
        if (waitsForData && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (total > 0) {
                break;
            }
            if (worker.CancellationPending()) {
                return kCancelledWhileWaiting;
            }
            pollfd pfd{fd, POLLIN, 0};
            ::poll(&pfd, 1, 50);
            continue;
        }
        break;
    }
    return static_cast<ssize_t>(total);
}

} // namespace

int32_t PercentOf(int64_t done, int64_t size) {
    const double percent = std::floor(static_cast<double>(done) / static_cast<double>(size) * 100.0);
    if (std::isnan(percent)) {
        return 0;
    }
    if (percent >= static_cast<double>(std::numeric_limits<int32_t>::max())) {
        return std::numeric_limits<int32_t>::max();
    }
    if (percent <= static_cast<double>(std::numeric_limits<int32_t>::min())) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(percent);
}

QString FileNameOf(const QString& path) {
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

void SortPathsForUser(QStringList& paths) {
    QLocale locale;
    if (locale.language() == QLocale::C) {
        locale = QLocale(QLocale::English, QLocale::UnitedStates);
    }
    QCollator collator(locale);
    std::stable_sort(paths.begin(), paths.end(),
                     [&collator](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
}

void PauseOneMillisecond() {
    // The default 50 us timer slack turns a 1 ms sleep into about 1.1 ms; over thousands of
    // chunks that is a tenth of the job's time. The setting is per thread and costs nothing.
    thread_local const bool slackLowered = ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL) == 0;
    (void)slackLowered;
    // Even then a wake-up comes some tens of microseconds late (more on a virtual machine). Aim
    // that much early, learning the lateness from the previous pauses of this thread, so that the
    // pause averages 1 ms without ever spinning.
    constexpr int64_t kPause = 1'000'000;
    constexpr int64_t kMaxLead = kPause / 2;
    thread_local int64_t lead = 50'000;

    auto nanoseconds = [](const timespec& t) {
        return int64_t(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
    };
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    const int64_t target = nanoseconds(now) + kPause;
    const int64_t wake = target - lead;
    const timespec deadline{static_cast<time_t>(wake / 1'000'000'000), static_cast<long>(wake % 1'000'000'000)};
    while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
    }
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    const int64_t late = nanoseconds(now) - target;
    lead = std::clamp<int64_t>(lead + late / 8, 0, kMaxLead);
}

JobOutcome RunFileDigestJob(InputArguments& request, unsigned char* btWorkBuffer, int32_t iChunkSize, JobWorker& worker,
                            const DigestFactory& makeDigest) {
    std::array<unsigned char, kMaxDigestLength> digest{};

    auto result = std::make_shared<OutputArguments>();
    result->alg = request.alg;
    result->tab = request.tab;

    auto progress = std::make_shared<Progress>();
    progress->iNumberOfFiles = static_cast<int32_t>(request.L_Files.size());
    progress->iProcessing = 0;
    progress->tab = request.tab;

    SortPathsForUser(request.L_Files);

    const EAlgorithm alg = request.alg;
    const bool pausePerChunk = alg != EAlgorithm::MD5;
    const size_t chunkSize = iChunkSize > 0 ? static_cast<size_t>(iChunkSize) : 0;

    auto failed = [&](DigestStep step, const QString& path) {
        JobOutcome outcome;
        outcome.kind = JobOutcome::Kind::Failed;
        outcome.failureText = StepFailureText(alg, step) + FileNameOf(path);
        return outcome;
    };
    auto cancelled = [] {
        JobOutcome outcome;
        outcome.kind = JobOutcome::Kind::Cancelled;
        return outcome;
    };

    for (const QString& path : std::as_const(request.L_Files)) {
        ++progress->iProcessing;
        result->L_Files.append(path);

        bool waitsForData = false;
        FileHandle file(OpenForReading(path, waitsForData));
        if (file.fd() < 0) {
            const unsigned int error = static_cast<unsigned int>(errno);
            result->L_Hashes.append(QStringLiteral("Error (%1) opening ").arg(error) + FileNameOf(path));
            continue;
        }

        // Only feeds the percentage; a pipe measures as -1 and a procfs file as 0.
        const int64_t size = ::lseek(file.fd(), 0, SEEK_END);
        ::lseek(file.fd(), 0, SEEK_SET);

        int64_t digested = 0;
        const std::unique_ptr<StreamingDigest> context = makeDigest(alg);
        if (context->Init() != 1) {
            return failed(DigestStep::Init, path);
        }

        ssize_t n = ReadChunk(file.fd(), btWorkBuffer, chunkSize, waitsForData, worker);
        while (n != 0) {
            if (n == kCancelledWhileWaiting) {
                return cancelled();
            }
            if (context->Update(btWorkBuffer, static_cast<size_t>(n)) != 1) {
                return failed(DigestStep::Update, path);
            }
            if (worker.CancellationPending()) {
                return cancelled();
            }
            digested += n;
            worker.ReportProgress(PercentOf(digested, size), progress);
            if (pausePerChunk) {
                PauseOneMillisecond();
            }
            n = ReadChunk(file.fd(), btWorkBuffer, chunkSize, waitsForData, worker);
        }

        if (context->Final(digest.data()) != 1) {
            return failed(DigestStep::Final, path);
        }
        result->L_Hashes.append(Hex_To_String(digest.data(), DigestLength(alg)));
        file.close();
        PauseOneMillisecond();
    }

    JobOutcome outcome;
    outcome.kind = JobOutcome::Kind::Completed;
    outcome.result = std::move(result);
    return outcome;
}

} // namespace quorvel

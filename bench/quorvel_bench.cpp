// Measures the file digest job against the bare digest over the same file, for each algorithm.
//
// The job cannot beat the bare EVP loop: it reads through the same 128 KiB buffer, and it also
// posts a report and sleeps 1 ms after every chunk (except with MD5) and after every file. So
// two ratios matter: job/raw says what the job costs over bare digesting, and job/bound says how
// close the job comes to "bare digesting plus exactly the pauses it must take". A job/bound well
// below 1 means the pauses overshoot (timer slack, wake-up latency) or the job does extra work.
//
// Usage: quorvel_bench [MiB]   (default 1024; the data file is kept in the temp folder for reuse)

#include "Algorithm.h"
#include "DigestJob.h"
#include "EvpDigest.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <openssl/evp.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using quorvel::EAlgorithm;

constexpr int32_t kChunkSize = 131072;
// Bare digesting and the MD5 job are short and CPU-bound, so load from elsewhere disturbs them most;
// they get more tries. The SHA jobs mostly sleep and take ten seconds a try.
constexpr int kShortRepetitions = 5;
constexpr int kLongRepetitions = 3;
constexpr double kPauseSeconds = 0.001;

double Now(clockid_t clock) {
    timespec ts{};
    ::clock_gettime(clock, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "quorvel_bench: %s\n", what.c_str());
    std::exit(1);
}

// Incompressible, non-sparse content, so nothing below the page cache can shortcut the reads.
void WriteDataFile(const std::string& path, int64_t size) {
    const std::string partial = path + ".partial";
    const int fd = ::open(partial.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        Fail("cannot create " + partial + ": " + std::strerror(errno));
    }
    std::vector<uint64_t> block(1 << 17); // 1 MiB
    uint64_t state = 0x9E3779B97F4A7C15ULL;
    for (int64_t written = 0; written < size;) {
        for (uint64_t& word : block) {
            state ^= state << 13;
            state ^= state >> 7;
            state ^= state << 17;
            word = state;
        }
        const size_t want = static_cast<size_t>(std::min<int64_t>(size - written, block.size() * sizeof(uint64_t)));
        const auto* bytes = reinterpret_cast<const unsigned char*>(block.data());
        for (size_t done = 0; done < want;) {
            const ssize_t n = ::write(fd, bytes + done, want - done);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                Fail("cannot write " + partial + ": " + std::strerror(errno));
            }
            done += static_cast<size_t>(n);
        }
        written += static_cast<int64_t>(want);
    }
    if (::close(fd) != 0 || std::rename(partial.c_str(), path.c_str()) != 0) {
        Fail("cannot finish " + path + ": " + std::strerror(errno));
    }
}

std::string PrepareDataFile(int64_t sizeMiB) {
    const QString name = QStringLiteral("quorvel_bench_%1MiB.bin").arg(sizeMiB);
    const std::string path = QFile::encodeName(QDir(QDir::tempPath()).filePath(name)).toStdString();
    const int64_t size = sizeMiB * 1024 * 1024;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size == size) {
        std::printf("Reusing %s\n", path.c_str());
    } else {
        std::printf("Writing %s (%lld MiB)...\n", path.c_str(), static_cast<long long>(sizeMiB));
        std::fflush(stdout);
        WriteDataFile(path, size);
    }
    return path;
}

// Reads until the buffer is full or the file ends, like the job's reads.
ssize_t ReadFull(int fd, unsigned char* buffer, size_t size) {
    size_t total = 0;
    while (total < size) {
        const ssize_t n = ::read(fd, buffer + total, size - total);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        total += static_cast<size_t>(n);
    }
    return static_cast<ssize_t>(total);
}

struct RawRun {
    double seconds = 0;
    int64_t chunks = 0;
    QString digest;
};

RawRun TimeRaw(const std::string& path, EAlgorithm alg, unsigned char* buffer) {
    RawRun run;
    EVP_MD_CTX* ctx = EVP_MD_CTX_new();
    if (ctx == nullptr) {
        Fail("EVP_MD_CTX_new failed");
    }
    std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
    unsigned int length = 0;
    const double start = Now(CLOCK_MONOTONIC);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        Fail("cannot open " + path + ": " + std::strerror(errno));
    }
    bool ok = EVP_DigestInit_ex(ctx, quorvel::EvpMd(alg), nullptr) == 1;
    for (ssize_t n = ReadFull(fd, buffer, kChunkSize); ok && n > 0; n = ReadFull(fd, buffer, kChunkSize)) {
        ok = EVP_DigestUpdate(ctx, buffer, static_cast<size_t>(n)) == 1;
        ++run.chunks;
    }
    ok = ok && EVP_DigestFinal_ex(ctx, digest.data(), &length) == 1;
    ::close(fd);
    run.seconds = Now(CLOCK_MONOTONIC) - start;
    EVP_MD_CTX_free(ctx);
    if (!ok) {
        Fail("raw EVP digest failed");
    }
    run.digest = quorvel::Hex_To_String(digest.data(), static_cast<int32_t>(length));
    return run;
}

// The least a worker can be: never cancels, and only counts what it is handed.
class CountingWorker final : public quorvel::JobWorker {
public:
    bool CancellationPending() const override { return false; }
    void ReportProgress(int32_t percentProgress, const std::shared_ptr<quorvel::Progress>&) override {
        ++reports;
        lastPercent = percentProgress;
    }
    int64_t reports = 0;
    int32_t lastPercent = -1;
};

struct JobRun {
    double seconds = 0;
    double cpuSeconds = 0;
    int64_t reports = 0;
    int32_t lastPercent = -1;
    QString digest;
};

JobRun TimeJob(const std::string& path, EAlgorithm alg, unsigned char* buffer) {
    JobRun run;
    // On a thread of its own, as in the program; its CPU clock then counts the job alone.
    std::thread worker([&] {
        quorvel::InputArguments request;
        request.L_Files.append(QFile::decodeName(path.c_str()));
        request.alg = alg;
        request.tab = quorvel::ETab::SINGLE_FILE;
        CountingWorker counting;
        const double cpuStart = Now(CLOCK_THREAD_CPUTIME_ID);
        const double start = Now(CLOCK_MONOTONIC);
        const quorvel::JobOutcome outcome = quorvel::RunFileDigestJob(request, buffer, kChunkSize, counting);
        run.seconds = Now(CLOCK_MONOTONIC) - start;
        run.cpuSeconds = Now(CLOCK_THREAD_CPUTIME_ID) - cpuStart;
        run.reports = counting.reports;
        run.lastPercent = counting.lastPercent;
        if (outcome.kind == quorvel::JobOutcome::Kind::Completed && outcome.result->L_Hashes.size() == 1) {
            run.digest = outcome.result->L_Hashes.front();
        }
    });
    worker.join();
    return run;
}

struct Row {
    EAlgorithm alg;
    RawRun raw;
    JobRun job;
    double boundSeconds = 0;
};

} // namespace

int main(int argc, char** argv) {
    int64_t sizeMiB = 1024;
    if (argc > 2) {
        Fail("usage: quorvel_bench [MiB]");
    }
    if (argc == 2) {
        char* end = nullptr;
        sizeMiB = std::strtoll(argv[1], &end, 10);
        if (end == argv[1] || *end != '\0' || sizeMiB <= 0 || sizeMiB > 1024 * 1024) {
            Fail("the size must be a whole number of MiB, 1 or more");
        }
    }
    const std::string path = PrepareDataFile(sizeMiB);
    const double mib = static_cast<double>(sizeMiB);

    // One buffer for both, as the window has one work buffer for every job.
    std::vector<unsigned char> buffer(kChunkSize);

    // Warm the page cache so the first measurement does not pay for the disk.
    TimeRaw(path, EAlgorithm::MD5, buffer.data());

    std::vector<Row> rows;
    bool mismatch = false;
    for (const quorvel::AlgorithmInfo& info : quorvel::kAlgorithms) {
        Row row{info.alg, {}, {}, 0};
        // Alternate the two so that a burst of load from elsewhere hits both alike; keep the best of each.
        const int jobRepetitions = info.alg == EAlgorithm::MD5 ? kShortRepetitions : kLongRepetitions;
        for (int i = 0; i < kShortRepetitions; ++i) {
            const RawRun raw = TimeRaw(path, info.alg, buffer.data());
            if (i == 0 || raw.seconds < row.raw.seconds) {
                row.raw = raw;
            }
            if (i >= jobRepetitions) {
                continue;
            }
            const JobRun job = TimeJob(path, info.alg, buffer.data());
            if (i == 0 || job.seconds < row.job.seconds) {
                row.job = job;
            }
        }
        const int64_t pausedChunks = info.alg == EAlgorithm::MD5 ? 0 : row.raw.chunks;
        const int64_t pauses = pausedChunks + 1; // plus the one after the file
        row.boundSeconds = row.raw.seconds + static_cast<double>(pauses) * kPauseSeconds;

        if (row.job.digest.isEmpty() || row.job.digest != row.raw.digest) {
            std::fprintf(stderr, "%s: job digest %s differs from raw digest %s\n", info.stepName,
                         qPrintable(row.job.digest), qPrintable(row.raw.digest));
            mismatch = true;
        }
        if (row.job.reports != row.raw.chunks || row.job.lastPercent != 100) {
            std::fprintf(stderr, "%s: %lld reports for %lld chunks, last at %d%%\n", info.stepName,
                         static_cast<long long>(row.job.reports), static_cast<long long>(row.raw.chunks),
                         row.job.lastPercent);
            mismatch = true;
        }
        rows.push_back(row);
        std::fprintf(stderr, "  %s measured\n", info.stepName);
    }

    std::printf("\n%lld MiB, %d KiB chunks, best of %d (bare digest, MD5 job) or %d (SHA jobs)\n",
                static_cast<long long>(sizeMiB), kChunkSize / 1024, kShortRepetitions, kLongRepetitions);
    std::printf("%-7s %10s %10s %8s %10s\n", "ALG", "job_MiBps", "raw_MiBps", "job/raw", "job/bound");
    for (const Row& row : rows) {
        std::printf("%-7s %10.1f %10.1f %8.3f %10.3f\n", quorvel::Info(row.alg).stepName, mib / row.job.seconds,
                    mib / row.raw.seconds, row.raw.seconds / row.job.seconds, row.boundSeconds / row.job.seconds);
    }

    // A pause that spins would show as CPU time close to wall time for the SHA algorithms.
    std::printf("\nJob CPU time against wall time (best run)\n");
    std::printf("%-7s %9s %9s %8s %9s\n", "ALG", "wall_s", "cpu_s", "cpu/wall", "bound_s");
    for (const Row& row : rows) {
        std::printf("%-7s %9.3f %9.3f %8.3f %9.3f\n", quorvel::Info(row.alg).stepName, row.job.seconds,
                    row.job.cpuSeconds, row.job.cpuSeconds / row.job.seconds, row.boundSeconds);
    }
    return mismatch ? 1 : 0;
}

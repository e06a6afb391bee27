// The file digest job: digests a list of files with one algorithm, chunk by chunk
// through the window's work buffer, posting a percentage after every chunk.
// It runs on the worker thread and never touches the window.
#pragma once

#include "Algorithm.h"
#include "EvpDigest.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <cstdint>
#include <memory>

namespace quorvel {

// Which tab started a job, and so where its progress and result are shown.
enum class ETab : int32_t { SINGLE_FILE = 0, MULTIPLE_FILES = 1 };

// The request. The job sorts L_Files in place, so the starter sees the sorted order.
class InputArguments {
public:
    InputArguments() = default;
    QStringList L_Files;
    EAlgorithm alg = EAlgorithm::MD5;
    ETab tab = ETab::SINGLE_FILE;
};

// The result: every path in the order processed, each paired with its digest text
// or with its open-failure text.
class OutputArguments {
public:
    OutputArguments() = default;
    QStringList L_Files;
    QStringList L_Hashes;
    EAlgorithm alg = EAlgorithm::MD5;
    ETab tab = ETab::SINGLE_FILE;
};

// One record per job, updated in place and handed with every report. The window reads
// it on its own thread while the job may be writing it, hence whole atomic values.
class Progress {
public:
    Progress() = default;
    std::atomic<int32_t> iNumberOfFiles{0};
    std::atomic<int32_t> iProcessing{0};
    std::atomic<ETab> tab{ETab::SINGLE_FILE};
};

// What the job needs of the worker that runs it.
class JobWorker {
public:
    virtual ~JobWorker() = default;
    virtual bool CancellationPending() const = 0;
    // Posts to the window thread and returns at once.
    virtual void ReportProgress(int32_t percentProgress, const std::shared_ptr<Progress>& userState) = 0;
};

struct JobOutcome {
    enum class Kind { Completed, Failed, Cancelled };
    Kind kind = Kind::Completed;
    std::shared_ptr<OutputArguments> result; // Completed
    QString failureText;                     // Failed: "Internal SHA256_Update error | data.bin"
};

// Runs the whole job on the calling thread. btWorkBuffer holds iChunkSize bytes and is the only
// buffer the data passes through. Anything unexpected (std::bad_alloc, say) propagates to the caller,
// which reports it as the worker's error.
JobOutcome RunFileDigestJob(InputArguments& request, unsigned char* btWorkBuffer, int32_t iChunkSize, JobWorker& worker,
                            const DigestFactory& makeDigest = MakeEvpDigest);

// floor(done / size * 100), the quotient taken first, saturated to the 32-bit range
// (an empty-measured file that still yields bytes gives an infinite quotient).
int32_t PercentOf(int64_t done, int64_t size);

// The last component of a path: what failure texts and the report name a file by.
QString FileNameOf(const QString& path);

// Sorts by the user's linguistic collation, as the job does; a C/POSIX locale collates as English.
void SortPathsForUser(QStringList& paths);

// Sleeps 1 ms on average: the timer slack is lowered and the usual wake-up lateness is allowed for,
// so the pause does not stretch to 1.05-1.1 ms, and it never spins.
void PauseOneMillisecond();

} // namespace quorvel

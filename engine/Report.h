// The text of the multiple-files report: one block per file of a completed job, in the job's order,
// with the status texts around it. The window appends the blocks one at a time and lets its
// events run between them, so a long report neither freezes it nor waits to appear.
//
//     ReportBuilder report(result);
//     if (!report.PairsMatch()) { status(ReportMismatchText()); ...; return; }
//     status(ProcessingResultsText()); bar(0); processEvents();
//     while (!report.AtEnd()) { view.append(report.NextBlock()); bar(report.ProgressPercent()); processEvents(); }
//     status(report.FinalStatusText());
#pragma once

#include "Algorithm.h"
#include "DigestJob.h"
#include "FileInfo.h"
#include "PeVersion.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>

namespace quorvel {

// "Not all files were hashed. Something wrong occurred": paths and entries do not pair up.
QString ReportMismatchText();
// "Processing results...", shown while the report is built.
QString ProcessingResultsText();
// "Done", or "Done - unable to hash 1 file", "Done - unable to hash 2 files", ...
QString ReportFinalStatusText(int32_t failures);

// The file name from its last "." on, dot included; empty without a dot.
QString ExtensionOf(const QString& fileName);
// Programs and libraries get a version line: the extension is exactly ".exe" or ".dll"
// (letter case counts, as it does on this file system).
bool HasVersionLine(const QString& fileName);

// Between two blocks; nothing follows the last one.
inline const QString kBlockSeparator = QStringLiteral("\r\n\r\n");

// A file whose information was read. version is shown only when set, and then even when empty.
// Lines end in "\n"; the last line (the digest or open-failure entry) has no line end.
QString NormalBlockText(const QString& fileName, const std::optional<QString>& version, int64_t size,
                        const QString& lastWriteText, EAlgorithm alg, const QString& entry);
// A file whose information could not be read.
QString FailureBlockText(const QString& fileName, const QString& entry);

// The bar after done of n files: floor(done / n * 100) in double precision, the quotient first.
int32_t ReportProgressPercent(int32_t done, int32_t n);

// Where the report's facts about a file come from; the defaults read the file itself.
struct ReportFileReaders {
    std::function<std::optional<FileDetails>(const QString& path)> details = ReadFileDetails;
    std::function<QString(const QString& path)> fileVersion = ReadPeFileVersion;
};

class ReportBuilder {
public:
    // Keeps its own (shared, copy-on-write) copy of the result, so the caller may drop it while
    // the report is being built. Dates and times are written in locale.
    explicit ReportBuilder(const OutputArguments& result, const QLocale& locale = QLocale(),
                           ReportFileReaders readers = {});

    // Paths and entries pair up; a report is only built when they do.
    bool PairsMatch() const;
    int32_t FileCount() const;
    bool AtEnd() const;
    // The block of the next file, read from the file system now, followed by the separator unless
    // it is the last file. A file whose information cannot be read gets the failure block and
    // counts as a failure. Precondition: PairsMatch() and !AtEnd().
    QString NextBlock();
    // The bar after the blocks handed out so far (0 before the first).
    int32_t ProgressPercent() const;
    int32_t FailureCount() const { return m_failures; }
    QString FinalStatusText() const { return ReportFinalStatusText(m_failures); }

private:
    QStringList m_files;
    QStringList m_entries;
    EAlgorithm m_alg;
    QLocale m_locale;
    ReportFileReaders m_readers;
    int32_t m_next = 0;
    int32_t m_failures = 0;
};

// The whole report in one text, as the view holds it after all blocks were appended.
QString BuildReportText(const OutputArguments& result, const QLocale& locale = QLocale(),
                        const ReportFileReaders& readers = {});

} // namespace quorvel

#include "Report.h"

#include <cmath>

namespace quorvel {

QString ReportMismatchText() {
    return QStringLiteral("Not all files were hashed. Something wrong occurred");
}

QString ProcessingResultsText() {
    return QStringLiteral("Processing results...");
}

QString ReportFinalStatusText(int32_t failures) {
    if (failures == 0) {
        return QStringLiteral("Done");
    }
    return QStringLiteral("Done - unable to hash %1 %2")
        .arg(failures)
        .arg(failures == 1 ? QStringLiteral("file") : QStringLiteral("files"));
}

QString ExtensionOf(const QString& fileName) {
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : fileName.mid(dot);
}

bool HasVersionLine(const QString& fileName) {
    const QString extension = ExtensionOf(fileName);
    return extension == QLatin1String(".exe") || extension == QLatin1String(".dll");
}

QString NormalBlockText(const QString& fileName, const std::optional<QString>& version, int64_t size,
                        const QString& lastWriteText, EAlgorithm alg, const QString& entry) {
    QString block = QStringLiteral("File      : ") + fileName + QLatin1Char('\n');
    if (version) {
        block += QStringLiteral("Version   : ") + *version + QLatin1Char('\n');
    }
    block += QStringLiteral("Size      : ") + QString::number(size) + QStringLiteral(" bytes\n");
    block += QStringLiteral("Last write: ") + lastWriteText + QLatin1Char('\n');
    block += QLatin1String(Info(alg).reportLabel) + entry;
    return block;
}

QString FailureBlockText(const QString& fileName, const QString& entry) {
    return QStringLiteral("File      : ") + fileName + QStringLiteral("\n!Failed!  : ") + entry;
}

int32_t ReportProgressPercent(int32_t done, int32_t n) {
    if (n <= 0) {
        return 0;
    }
    return static_cast<int32_t>(std::floor(static_cast<double>(done) / static_cast<double>(n) * 100.0));
}

ReportBuilder::ReportBuilder(const OutputArguments& result, const QLocale& locale, ReportFileReaders readers)
    : m_files(result.L_Files), m_entries(result.L_Hashes), m_alg(result.alg), m_locale(locale),
      m_readers(std::move(readers)) {
    if (!m_readers.details) {
        m_readers.details = ReadFileDetails;
    }
    if (!m_readers.fileVersion) {
        m_readers.fileVersion = ReadPeFileVersion;
    }
}

bool ReportBuilder::PairsMatch() const {
    return m_files.size() == m_entries.size();
}

int32_t ReportBuilder::FileCount() const {
    return static_cast<int32_t>(m_files.size());
}

bool ReportBuilder::AtEnd() const {
    return m_next >= FileCount();
}

QString ReportBuilder::NextBlock() {
    const int32_t i = m_next++;
    const QString& path = m_files.at(i);
    const QString& entry = m_entries.at(i);
    const QString name = FileNameOf(path);

    // Both facts are read before anything is composed, so a file that vanishes midway gets the
    // failure block and never half of a normal one. The version is read only where it is shown:
    // a version that cannot be read is the empty version, never a failure, so reading it for other
    // files would change nothing but the time taken.
    const std::optional<FileDetails> details = m_readers.details(path);
    QString block;
    // An algorithm outside the six has no label to show; no completed job carries one.
    if (details && IsValidAlgorithm(m_alg)) {
        std::optional<QString> version;
        if (HasVersionLine(name)) {
            version = m_readers.fileVersion(path);
        }
        block = NormalBlockText(name, version, details->size, GeneralDateTimeText(details->lastWrite, m_locale), m_alg,
                                entry);
    } else {
        ++m_failures;
        block = FailureBlockText(name, entry);
    }
    if (m_next < FileCount()) {
        block += kBlockSeparator;
    }
    return block;
}

int32_t ReportBuilder::ProgressPercent() const {
    return ReportProgressPercent(m_next, FileCount());
}

QString BuildReportText(const OutputArguments& result, const QLocale& locale, const ReportFileReaders& readers) {
    ReportBuilder builder(result, locale, readers);
    QString text;
    if (!builder.PairsMatch()) {
        return text;
    }
    while (!builder.AtEnd()) {
        text += builder.NextBlock();
    }
    return text;
}

} // namespace quorvel

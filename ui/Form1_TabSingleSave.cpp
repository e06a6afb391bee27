// The single-file summary file ("Save all to text file"): the file, its folder and the digests
// the four boxes hold.
#include "Form1.h"

#include "TextFile.h"

#include <QLineEdit>

namespace quorvel {

namespace {

// The path without its last component and without a trailing separator, except that the root
// keeps its separator; empty for a bare name.
QString FolderOf(const QString& path) {
    const qsizetype cut = path.lastIndexOf(QLatin1Char('/'));
    if (cut < 0) {
        return QString();
    }
    qsizetype end = cut;
    while (end > 0 && path.at(end - 1) == QLatin1Char('/')) {
        --end;
    }
    return end == 0 ? QStringLiteral("/") : path.left(end);
}

const QString kLineEnd = QStringLiteral("\r\n");

} // namespace

void Form1::btTabSingleSaveAll_Click(QObject* sender) {
    (void)sender;
    SaveFileDialog.FileName = QString();
    SaveFileDialog.Filter = QStringLiteral("Text files|*.txt");

    bool anyDigest = false;
    for (const TabSingleRow& row : kTabSingleRows) {
        anyDigest = anyDigest || !(this->*row.digestBox)->text().isEmpty();
    }
    if (!anyDigest) {
        SetStatusLabel(QStringLiteral("No data to save. Perform a hash operation"));
        return;
    }

    SaveFileDialog.Title = QString();
    if (SaveFileDialog.ShowDialog(this) != DialogResult::OK) {
        return;
    }

    const QString selected = TabSingleOpenFileDialog.FileName;
    QString text = QStringLiteral("File    : ") + FileNameOf(selected) + kLineEnd;
    text += QStringLiteral("Path    : ") + FolderOf(selected) + kLineEnd;
    for (const TabSingleRow& row : kTabSingleRows) {
        const QString digest = (this->*row.digestBox)->text();
        if (!digest.isEmpty()) {
            text += QLatin1String(Info(row.alg).summaryLabel) + digest + kLineEnd;
        }
    }

    QString error;
    if (!WriteTextFile(SaveFileDialog.FileName, text, &error)) {
        SetStatusLabel(QStringLiteral("Could not save the file: ") + error);
    }
}

} // namespace quorvel

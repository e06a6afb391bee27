// The single-file tab: choosing the file, showing its path, one job per algorithm button,
// and copying each digest.
#include "Form1.h"

#include "Clipboard.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>
#include <stdexcept>

namespace quorvel {

const Form1::TabSingleRow Form1::kTabSingleRows[4] = {
    {EAlgorithm::MD5, &Form1::btTabSingleMD5, &Form1::tbMD5, &Form1::btCopyMD5},
    {EAlgorithm::SHA1, &Form1::btTabSingleSHA1, &Form1::tbSHA1, &Form1::btCopySHA1},
    {EAlgorithm::SHA256, &Form1::btTabSingleSHA256, &Form1::tbSHA256, &Form1::btCopySHA256},
    {EAlgorithm::SHA512, &Form1::btTabSingleSHA512, &Form1::tbSHA512, &Form1::btCopySHA512},
};

namespace {

constexpr qsizetype kWholePathBelow = 80;
constexpr qsizetype kShownBeforeName = 75;
constexpr qsizetype kMinimumShownHead = 3;
const QString kCutMark = QStringLiteral("[...]\\");

// The last component of a path. A NUL cannot be part of any path on this system; such a text
// has no file name.
QString FileNameForDisplay(const QString& path) {
    if (path.contains(QChar(0))) {
        throw std::invalid_argument("path holds a NUL character");
    }
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(cut + 1);
}

} // namespace

QLineEdit* Form1::TabSingleDigestBox(EAlgorithm alg) const {
    for (const TabSingleRow& row : kTabSingleRows) {
        if (row.alg == alg) {
            return this->*row.digestBox;
        }
    }
    return nullptr;
}

void Form1::SetTabSingleFilePath(const QString& filePath) {
    try {
        if (filePath.size() < kWholePathBelow) {
            tbTabSingleFilePath->setText(filePath);
            return;
        }
        const QString name = FileNameForDisplay(filePath);
        const qsizetype head = std::max(kShownBeforeName - name.size(), kMinimumShownHead);
        tbTabSingleFilePath->setText(filePath.left(head) + kCutMark + name);
    } catch (...) {
        SetStatusLabel(QStringLiteral("Error getting file name"));
    }
}

void Form1::btTabSingleBrowse_Click(QObject* sender) {
    (void)sender;
    TabSingleOpenFileDialog.Title = QStringLiteral("Select a file to hash");
    TabSingleOpenFileDialog.Multiselect = false;
    if (TabSingleOpenFileDialog.ShowDialog(this) != DialogResult::OK) {
        SetStatusLabel(QString());
        return;
    }
    for (const TabSingleRow& row : kTabSingleRows) {
        (this->*row.digestBox)->clear();
    }
    tsProgressBar->setValue(0);
    SetTabSingleFilePath(TabSingleOpenFileDialog.FileName);
}

void Form1::TabSingleStart(const TabSingleRow& row) {
    if (TabSingleOpenFileDialog.FileName.isEmpty()) {
        SetStatusLabel(QStringLiteral("No file selected"));
        return;
    }
    auto request = std::make_shared<InputArguments>();
    request->alg = row.alg;
    request->tab = ETab::SINGLE_FILE;
    request->L_Files = QStringList{TabSingleOpenFileDialog.FileName};

    SetStatusLabel(PerformingText(row.alg));
    (this->*row.digestBox)->clear();
    DisableAll();
    bgWorker->RunWorkerAsync(std::move(request));
}

void Form1::TabSingleCopy(const TabSingleRow& row) {
    const QString text = (this->*row.digestBox)->text();
    if (text.isEmpty()) {
        SetStatusLabel(QString());
        return;
    }
    if (Clipboard::SetText(text)) {
        SetStatusLabel(QStringLiteral("Copied!"));
    } else {
        SetStatusLabel(QStringLiteral("Failed copying to clipboard, please try again"));
    }
}

void Form1::btTabSingleMD5_Click(QObject* sender) {
    (void)sender;
    TabSingleStart(kTabSingleRows[0]);
}
void Form1::btTabSingleSHA1_Click(QObject* sender) {
    (void)sender;
    TabSingleStart(kTabSingleRows[1]);
}
void Form1::btTabSingleSHA256_Click(QObject* sender) {
    (void)sender;
    TabSingleStart(kTabSingleRows[2]);
}
void Form1::btTabSingleSHA512_Click(QObject* sender) {
    (void)sender;
    TabSingleStart(kTabSingleRows[3]);
}

void Form1::btCopyMD5_Click(QObject* sender) {
    (void)sender;
    TabSingleCopy(kTabSingleRows[0]);
}
void Form1::btCopySHA1_Click(QObject* sender) {
    (void)sender;
    TabSingleCopy(kTabSingleRows[1]);
}
void Form1::btCopySHA256_Click(QObject* sender) {
    (void)sender;
    TabSingleCopy(kTabSingleRows[2]);
}
void Form1::btCopySHA512_Click(QObject* sender) {
    (void)sender;
    TabSingleCopy(kTabSingleRows[3]);
}

} // namespace quorvel

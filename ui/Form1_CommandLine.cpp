// The command line: paths sorted into the tabs' selections, and the tab shown first.
#include "Form1.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QTabWidget>

namespace quorvel {

namespace {

constexpr int kSingleFileTab = 0;
constexpr int kMultipleFilesTab = 1;

// Why an argument is skipped; empty when it is taken.
QString IgnoredBecause(const QString& path) {
    // An empty or malformed path names nothing; a path that cannot be looked at counts as missing.
    const QFileInfo info(path);
    if (path.isEmpty() || path.contains(QChar(0)) || !info.exists()) {
        return QStringLiteral("Ignoring inexistent files as input arguments");
    }
    if (info.isDir()) {
        return QStringLiteral("Ignoring directories as input arguments");
    }
    // Shortcut files are judged by their exact extension: "notes.LNK" is an ordinary file here.
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    if (name.endsWith(QLatin1String(".lnk"))) {
        return QStringLiteral("Ignoring shortcuts as input arguments");
    }
    return QString();
}

} // namespace

void Form1::CommandLineIntake(const QStringList& args) {
    if (args.isEmpty()) {
        tabControl->setCurrentIndex(kSingleFileTab);
        return;
    }
    if (args.size() == 1) {
        const QString& path = args.first();
        const QString ignored = IgnoredBecause(path);
        if (ignored.isEmpty()) {
            // Kept exactly as given: a relative path is resolved when the file is read.
            SetTabSingleFilePath(path);
            TabSingleOpenFileDialog.FileName = path;
        } else {
            SetStatusLabel(ignored);
        }
        tabControl->setCurrentIndex(kSingleFileTab);
        return;
    }

    QStringList accepted;
    qsizetype counter = args.size();
    for (const QString& path : args) {
        const QString ignored = IgnoredBecause(path);
        if (ignored.isEmpty()) {
            accepted.append(path);
        } else {
            SetStatusLabel(ignored);
            --counter;
        }
    }
    if (counter == 0) {
        tbTabMultipleFilePath->setText(QString());
        TabMultipleOpenFileDialog.Tag = QVariant();
    } else {
        tbTabMultipleFilePath->setText(TabMultipleCountText(counter));
        TabMultipleOpenFileDialog.Tag = QVariant::fromValue(accepted);
    }
    tabControl->setCurrentIndex(kMultipleFilesTab);
}

} // namespace quorvel

// The multiple-files tab: the selection and its count, starting a job over it, the report built
// from the job's result, and copying, saving and opening that report.
#include "Form1.h"

#include "Clipboard.h"
#include "Desktop.h"
#include "FileInfo.h"
#include "Report.h"
#include "TextFile.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

namespace quorvel {

namespace {

// Appends to the end of the view without touching the user's cursor or selection. A CR LF pair
// becomes the view's one line break, as a lone LF does.
void AppendToView(RichTextBox* view, QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QTextCursor cursor(view->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);
}

// The view's text with every line break as "\n". Read block by block because toPlainText()
// also turns no-break spaces into plain ones, which would alter a file name.
QString ViewText(const RichTextBox* view) {
    const QTextDocument* document = view->document();
    QString text;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block != document->begin()) {
            text += QLatin1Char('\n');
        }
        text += block.text();
    }
    return text;
}

} // namespace

QString Form1::TabMultipleCountText(qsizetype count) {
    return count == 1 ? QStringLiteral("1 file selected") : QStringLiteral("%1 files selected").arg(count);
}

void Form1::btTabMutipleBrowse_Click(QObject* sender) {
    (void)sender;
    TabMultipleOpenFileDialog.Title = QStringLiteral("Select files to hash");
    TabMultipleOpenFileDialog.Multiselect = true;
    TabMultipleOpenFileDialog.Filter.clear();
    if (TabMultipleOpenFileDialog.ShowDialog(this) != DialogResult::OK) {
        return;
    }
    tbTabMultipleFilePath->setText(TabMultipleCountText(TabMultipleOpenFileDialog.FileNames.size()));
    rtbTabMultiple->clear();
    tsProgressBar->setValue(0);
    TabMultipleOpenFileDialog.Tag = QVariant();
}

void Form1::btTabMutipleCalculate_Click(QObject* sender) {
    (void)sender;
    const int index = cbTabMultiple->currentIndex();
    if (!IsValidAlgorithm(static_cast<EAlgorithm>(index))) {
        SetStatusLabel(QStringLiteral("Please, choose a hash function"));
        return;
    }
    auto request = std::make_shared<InputArguments>();
    request->alg = static_cast<EAlgorithm>(index);
    request->tab = ETab::MULTIPLE_FILES;

    const QVariant& handedOver = TabMultipleOpenFileDialog.Tag;
    if (!handedOver.isNull()) {
        if (handedOver.metaType() != QMetaType::fromType<QStringList>()) {
            SetStatusLabel(QStringLiteral("There was a problem retrieving the files. Please, try again"));
            return;
        }
        // Used as handed over, even when empty.
        request->L_Files = handedOver.value<QStringList>();
    } else {
        request->L_Files = TabMultipleOpenFileDialog.FileNames;
        if (request->L_Files.isEmpty()) {
            SetStatusLabel(QStringLiteral("No file selected"));
            return;
        }
    }

    SetStatusLabel(QStringLiteral("Hash multiple files"));
    rtbTabMultiple->clear();
    DisableAll();
    bgWorker->RunWorkerAsync(std::move(request));
}

void Form1::TabMultipleShowResult(const std::shared_ptr<OutputArguments>& result) {
    ReportBuilder report(*result);
    if (!report.PairsMatch()) {
        SetStatusLabel(ReportMismatchText());
        EnableAll();
        return;
    }
    // The window answers between files, so it could in principle be destroyed meanwhile.
    const QPointer<Form1> alive(this);
    SetStatusLabel(ProcessingResultsText());
    tsProgressBar->setValue(0);
    QCoreApplication::processEvents();
    while (alive != nullptr && !report.AtEnd()) {
        AppendToView(rtbTabMultiple, report.NextBlock());
        tsProgressBar->setValue(report.ProgressPercent());
        QCoreApplication::processEvents();
    }
    if (alive == nullptr) {
        return;
    }
    SetStatusLabel(report.FinalStatusText());
    EnableAll();
}

void Form1::btTabMultipleCopy_Click(QObject* sender) {
    (void)sender;
    const QString report = ViewText(rtbTabMultiple);
    if (report.isEmpty()) {
        return;
    }
    if (Clipboard::SetText(report)) {
        SetStatusLabel(QStringLiteral("Copied!"));
    } else {
        SetStatusLabel(QStringLiteral("Failed copying to clipboard, please try again"));
    }
}

void Form1::btTabMultipleSaveAs_Click(QObject* sender) {
    (void)sender;
    const QString report = ViewText(rtbTabMultiple);
    if (report.isEmpty()) {
        return;
    }
    SaveFileDialog.FileName.clear();
    SaveFileDialog.Filter = QStringLiteral("Text files|*.txt");
    if (SaveFileDialog.ShowDialog(this) != DialogResult::OK) {
        SetStatusLabel(QStringLiteral("Cancelled"));
        return;
    }
    const QString text = QStringLiteral("Generated at ") + GeneralDateTimeText(QDateTime::currentDateTime()) +
                         QStringLiteral("\r\n\r\n") + WithCrLfLines(report);
    QString error;
    if (!WriteTextFile(SaveFileDialog.FileName, text, &error)) {
        // The report stays in the view, so the user can try another place.
        SetStatusLabel(QStringLiteral("Not saved: ") + error);
        return;
    }
    SetStatusLabel(QStringLiteral("Saved"));
}

void Form1::btTabMultipleOpenNotepad_Click(QObject* sender) {
    (void)sender;
    const QString report = ViewText(rtbTabMultiple);
    if (report.isEmpty()) {
        return;
    }
    // Qt names no temp folder when the one the environment names does not exist; the file must
    // not land in the root folder then.
    const QString folder = QDir::tempPath();
    if (folder.isEmpty()) {
        SetStatusLabel(QStringLiteral("Cannot create a temporary file: the temporary folder does not exist"));
        return;
    }
    // A ".txt" name, so that the desktop hands it to a text editor.
    QTemporaryFile temp(folder + QStringLiteral("/quorvel-report-XXXXXX.txt"));
    temp.setAutoRemove(false);
    if (!temp.open()) {
        SetStatusLabel(QStringLiteral("Cannot create a temporary file: ") + temp.errorString());
        return;
    }
    const QString path = QFileInfo(temp.fileName()).absoluteFilePath();
    temp.close();
    QString error;
    if (!WriteTextFile(path, WithCrLfLines(report), &error)) {
        // Never recorded, so it would outlive the window.
        QFile::remove(path);
        SetStatusLabel(QStringLiteral("Cannot write the temporary file: ") + error);
        return;
    }
    // Recorded before the editor starts, so it is deleted at close whatever happens next.
    L_TempFiles.append(path);
    if (!Desktop::OpenUrl(QUrl::fromLocalFile(path))) {
        SetStatusLabel(QStringLiteral("No text editor could be started"));
    }
}

} // namespace quorvel

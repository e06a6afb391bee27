// The file digest job seen from the window: the status line, the busy state, progress,
// cancellation and every ending of a job.
#include "Form1.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

namespace quorvel {

void Form1::SetStatusLabel(const QString& strStatus) {
    constexpr qsizetype kLimit = 80;
    if (strStatus.size() < kLimit) {
        toolStripStatusLabel->setText(strStatus);
    } else {
        toolStripStatusLabel->setText(strStatus.left(kLimit) + QStringLiteral("..."));
    }
}

void Form1::DisableAll() {
    for (QPushButton* button : {btTabSingleMD5, btTabSingleSHA1, btTabSingleSHA256, btTabSingleSHA512,
                                btTabSingleBrowse, btTabMutipleCalculate, btTabMutipleBrowse}) {
        button->setEnabled(false);
    }
    tsProgressBar->setValue(0);
}

void Form1::EnableAll() {
    for (QPushButton* button : {btTabSingleMD5, btTabSingleSHA1, btTabSingleSHA256, btTabSingleSHA512,
                                btTabSingleBrowse, btTabMutipleCalculate, btTabMutipleBrowse}) {
        button->setEnabled(true);
    }
}

void Form1::tsCancel_ButtonClick(QObject* sender) {
    (void)sender;
    bgWorker->CancelAsync();
}

void Form1::tsiCancel_Click(QObject* sender) {
    (void)sender;
    bgWorker->CancelAsync();
}

void Form1::bgWorker_DoWork(QObject* sender, DoWorkEventArgs& e) {
    (void)sender;
    // Runs on the worker's thread: touches the buffer, its size and the worker, nothing else.
    auto request = std::any_cast<std::shared_ptr<InputArguments>>(e.Argument);
    JobOutcome outcome = RunFileDigestJob(*request, btWorkBuffer, iChunkSize, *bgWorker, digestFactory);
    switch (outcome.kind) {
    case JobOutcome::Kind::Completed:
        e.Result = std::move(outcome.result);
        break;
    case JobOutcome::Kind::Failed:
        e.Result = std::move(outcome.failureText);
        break;
    case JobOutcome::Kind::Cancelled:
        e.Cancel = true;
        break;
    }
}

void Form1::bgWorker_ProgressChanged(QObject* sender, ProgressChangedEventArgs& e) {
    (void)sender;
    try {
        const auto progress = std::any_cast<std::shared_ptr<Progress>>(e.UserState);
        if (progress == nullptr) {
            return;
        }
        if (progress->tab.load() != ETab::SINGLE_FILE) {
            SetStatusLabel(QStringLiteral("Hashing file %1 of %2")
                               .arg(progress->iProcessing.load())
                               .arg(progress->iNumberOfFiles.load()));
        }
        // A value the bar cannot take is dropped; the bar keeps its previous value.
        if (e.ProgressPercentage < tsProgressBar->minimum() || e.ProgressPercentage > tsProgressBar->maximum()) {
            return;
        }
        tsProgressBar->setValue(e.ProgressPercentage);
    } catch (...) {
        // A report that cannot be shown is dropped.
    }
}

void Form1::bgWorker_RunWorkerCompleted(QObject* sender, RunWorkerCompletedEventArgs& e) {
    (void)sender;
    if (e.Error) {
        SetStatusLabel(QStringLiteral("Erro!"));
    } else if (e.Cancelled) {
        SetStatusLabel(QStringLiteral("Cancelled"));
        tsProgressBar->setValue(0);
    } else if (const auto* failureText = std::any_cast<QString>(&e.Result)) {
        SetStatusLabel(*failureText);
    } else if (const auto* output = std::any_cast<std::shared_ptr<OutputArguments>>(&e.Result);
               output == nullptr || *output == nullptr) {
        SetStatusLabel(QStringLiteral("No data to display"));
    } else if ((*output)->tab == ETab::SINGLE_FILE) {
        SetStatusLabel(QStringLiteral("Done"));
        QLineEdit* box = TabSingleDigestBox((*output)->alg);
        if (box != nullptr && !(*output)->L_Hashes.isEmpty()) {
            box->setText((*output)->L_Hashes.first());
        }
    } else {
        // The report leaves the busy state itself once it is built.
        TabMultipleShowResult(*output);
        return;
    }
    EnableAll();
}

} // namespace quorvel

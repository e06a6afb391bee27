#include "FileDialogs.h"

#include <QFileDialog>

namespace quorvel {

std::deque<std::optional<QStringList>>& FileDialogBase::Queue() {
    static std::deque<std::optional<QStringList>> queue;
    return queue;
}

void FileDialogBase::QueueNextAnswer(std::optional<QStringList> answer) {
    Queue().push_back(std::move(answer));
}

void FileDialogBase::ClearQueuedAnswers() {
    Queue().clear();
}

int FileDialogBase::QueuedAnswerCount() {
    return static_cast<int>(Queue().size());
}

bool FileDialogBase::TakeQueuedAnswer(std::optional<QStringList>& answer) {
    if (Queue().empty()) {
        return false;
    }
    answer = std::move(Queue().front());
    Queue().pop_front();
    return true;
}

DialogResult FileDialogBase::Accept(const QStringList& paths) {
    if (paths.isEmpty()) {
        return DialogResult::Cancel;
    }
    FileNames = paths;
    FileName = paths.first();
    return DialogResult::OK;
}

QString FileDialogBase::QtFilter() const {
    // "Text files|*.txt|All files|*.*" -> "Text files (*.txt);;All files (*.*)"
    const QStringList parts = Filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters.append(QStringLiteral("%1 (%2)").arg(parts[i], patterns));
    }
    return filters.join(QStringLiteral(";;"));
}

DialogResult OpenFileDialog::ShowDialog(QWidget* owner) {
    std::optional<QStringList> answer;
    if (TakeQueuedAnswer(answer)) {
        return answer ? Accept(*answer) : DialogResult::Cancel;
    }
    QFileDialog dialog(owner, Title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(Multiselect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    if (!Filter.isEmpty()) {
        dialog.setNameFilter(QtFilter());
    }
    if (!FileName.isEmpty()) {
        dialog.selectFile(FileName);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return DialogResult::Cancel;
    }
    return Accept(dialog.selectedFiles());
}

DialogResult SaveFileDialog::ShowDialog(QWidget* owner) {
    std::optional<QStringList> answer;
    if (TakeQueuedAnswer(answer)) {
        return answer ? Accept(*answer) : DialogResult::Cancel;
    }
    QFileDialog dialog(owner, Title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!Filter.isEmpty()) {
        dialog.setNameFilter(QtFilter());
    }
    if (!FileName.isEmpty()) {
        dialog.selectFile(FileName);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return DialogResult::Cancel;
    }
    return Accept(dialog.selectedFiles());
}

} // namespace quorvel

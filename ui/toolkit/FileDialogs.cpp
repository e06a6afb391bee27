#include "FileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>

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

QString SaveFileDialog::DefaultSuffix() const {
    // "Text files|*.txt" -> "txt"; none for "*.*" or a pattern without an extension.
    const QStringList parts = Filter.split(QLatin1Char('|'));
    if (parts.size() < 2) {
        return QString();
    }
    const QString pattern = parts[1].section(QLatin1Char(';'), 0, 0).trimmed();
    const QString extension = pattern.mid(2);
    if (!pattern.startsWith(QStringLiteral("*.")) || extension.isEmpty() || extension.contains(QLatin1Char('*')) ||
        extension.contains(QLatin1Char('?'))) {
        return QString();
    }
    return extension;
}

DialogResult SaveFileDialog::ShowDialog(QWidget* owner) {
    const QString suffix = DefaultSuffix();
    std::optional<QStringList> answer;
    if (TakeQueuedAnswer(answer)) {
        if (!answer) {
            return DialogResult::Cancel;
        }
        QStringList paths = *answer;
        for (QString& path : paths) {
            if (!suffix.isEmpty() && QFileInfo(path).suffix().isEmpty()) {
                path += QLatin1Char('.') + suffix;
            }
        }
        return Accept(paths);
    }
    QFileDialog dialog(owner, Title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!Filter.isEmpty()) {
        dialog.setNameFilter(QtFilter());
    }
    dialog.setDefaultSuffix(suffix);
    if (!FileName.isEmpty()) {
        dialog.selectFile(FileName);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return DialogResult::Cancel;
    }
    return Accept(dialog.selectedFiles());
}

} // namespace quorvel

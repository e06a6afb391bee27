// File dialogs that remember their choice between uses, as the tabs keep their selections in them.
// Tests queue the next answer so that no dialog ever blocks them.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <deque>
#include <optional>

class QWidget;

namespace quorvel {

enum class DialogResult { OK, Cancel };

class FileDialogBase {
public:
    QString FileName; // the (first) chosen path; empty when none
    QStringList FileNames;
    QString Title;
    QString Filter; // "Text files|*.txt", pairs of description and pattern separated by '|'
    QVariant Tag;   // whatever the owner keeps with the dialog; null until set

    // The answer the next ShowDialog of any dialog gives without showing anything:
    // a list of paths for OK, nullopt for Cancel.
    static void QueueNextAnswer(std::optional<QStringList> answer);
    static void ClearQueuedAnswers();
    static int QueuedAnswerCount();

protected:
    FileDialogBase() = default;
    ~FileDialogBase() = default;
    // Takes a queued answer if there is one.
    static bool TakeQueuedAnswer(std::optional<QStringList>& answer);
    DialogResult Accept(const QStringList& paths);
    QString QtFilter() const;

private:
    static std::deque<std::optional<QStringList>>& Queue();
};

class OpenFileDialog : public FileDialogBase {
public:
    bool Multiselect = false;
    DialogResult ShowDialog(QWidget* owner);
};

class SaveFileDialog : public FileDialogBase {
public:
    // A chosen name without any extension gets the first pattern's of the filter ("*.txt": ".txt").
    // An existing file is replaced only after the user confirms it.
    DialogResult ShowDialog(QWidget* owner);

private:
    QString DefaultSuffix() const;
};

} // namespace quorvel

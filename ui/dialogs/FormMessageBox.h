// The program's own message window: a title, one line of text and an "OK" button.
#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QLabel;
class QPushButton;

namespace quorvel {

class FormMessageBox : public QDialog {
    Q_OBJECT
public:
    FormMessageBox(const QString& strTitle, const QString& strMessage);

    // Shows the window modally over the window active at that moment, if any.
    int ShowDialog();

    // Test seam: while set, ShowDialog hands the built window to this instead of showing it, and
    // returns the result the stand-in leaves (it may click the button, or do nothing).
    static void SetShowDialogForTesting(std::function<void(FormMessageBox&)> show);

    QLabel* lbMessage = nullptr;
    QPushButton* btOK = nullptr;

private:
    void InitializeComponent();
    // Grows the window to hold the message on one line, never below its designed size.
    void FitToMessage();
};

} // namespace quorvel

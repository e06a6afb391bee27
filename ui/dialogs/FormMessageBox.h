// The program's own message window: a title, one line of text and an "OK" button.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace quorvel {

class FormMessageBox : public QDialog {
    Q_OBJECT
public:
    FormMessageBox(const QString& strTitle, const QString& strMessage);

    // Shows the window modally over the window active at that moment, if any.
    int ShowDialog();

    QLabel* lbMessage = nullptr;
    QPushButton* btOK = nullptr;

private:
    void InitializeComponent();
    // Grows the window to hold the message on one line, never below its designed size.
    void FitToMessage();
};

} // namespace quorvel

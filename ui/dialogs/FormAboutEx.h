// The About window: the product line, the size of the chunks files are read in, and a short text
// with the rights notice, the contact address and the licence terms.
#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class QTextBrowser;

namespace quorvel {

class FormAboutEx : public QDialog {
    Q_OBJECT
public:
    // iChunkSize: the work buffer's size in kilobytes.
    explicit FormAboutEx(int iChunkSize);

    // Shows the window modally over the window active at that moment, if any.
    int ShowDialog();

    // Test seam: while set, ShowDialog hands the built window to this instead of showing it.
    static void SetShowDialogForTesting(std::function<void(FormAboutEx&)> show);

    // The About text compiled into the program.
    static QString AboutText();

    QLabel* label1 = nullptr;
    QLabel* label3 = nullptr;
    QTextBrowser* richTextBox1 = nullptr;
    QPushButton* btOK = nullptr;

private:
    void InitializeComponent();
};

} // namespace quorvel

// The dialog that takes a digest to verify: it only collects and sizes the text; the main window
// compares it.
#pragma once

#include "FileDialogs.h"

#include <QDialog>
#include <QString>

#include <cstdint>
#include <functional>

class QLabel;
class QPushButton;

namespace quorvel {

struct KeyEventArgs;
struct KeyPressEventArgs;
class TextBox;

class FormVerify : public QDialog {
    Q_OBJECT
public:
    // The longest digest text, SHA-512's: what can be typed or pasted into the entry directly.
    static constexpr int kEntryMaxLength = 128;
    // The shortest entry worth comparing, MD5's length.
    static constexpr int kMinimumHashLength = 32;

    FormVerify();

    // The entry exactly as it stands: no trimming, no change of case.
    QString getHash() const;

    // Shows the dialog modally, centred on the owner. OK means getHash() holds at least 32
    // characters; Cancel means there is nothing to compare.
    DialogResult ShowDialog(QWidget* owner);

    // True for the characters that may be typed into the entry: hexadecimal digits and the control
    // codes other than carriage return.
    static bool ValidateKey(int32_t key);

    // The counter's value: the characters that are not Unicode white space, halved.
    static int32_t CountBytes(const QString& text);

    void btVerify_Click(QObject* sender);
    void btPaste_Click(QObject* sender);
    void tbHashToVerifyTextChanged(QObject* sender);
    void tbHashToVerifyKeyPress(QObject* sender, KeyPressEventArgs& e);
    void tbHashToVerifyKeyDown(QObject* sender, KeyEventArgs& e);
    void tbHashToVerifyKeyUp(QObject* sender, KeyEventArgs& e);

    QObject* components = nullptr;
    QLabel* label1 = nullptr;
    QPushButton* btPaste = nullptr;
    TextBox* tbHashToVerify = nullptr;
    QLabel* lbVerifyBytes = nullptr;
    QLabel* lbSize = nullptr;
    QPushButton* btVerify = nullptr;
    QPushButton* btCancel = nullptr;

    // Test seam: while set, ShowDialog hands the built dialog to this instead of showing it; the
    // dialog's outcome is what the stand-in leaves (clicking Verify or Cancel, or nothing: Cancel).
    static void SetShowDialogForTesting(std::function<void(FormVerify&)> show);

private:
    void InitializeComponent();
};

} // namespace quorvel

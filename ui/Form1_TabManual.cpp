// The manual-input tab: hexadecimal text kept in its canonical spacing, its byte count, and its
// digest, computed on the window thread on demand or on every change.
#include "Form1.h"

#include "Clipboard.h"
#include "FormMessageBox.h"
#include "HexRules.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <array>
#include <exception>
#include <memory>

namespace quorvel {

namespace {

constexpr int32_t kManualInputMaxBytes = 2048;

// Clears a flag on every way out of the scope that set it.
class FlagGuard {
public:
    explicit FlagGuard(bool& flag) : m_flag(flag) { m_flag = true; }
    ~FlagGuard() { m_flag = false; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

private:
    bool& m_flag;
};

} // namespace

QString Form1::TabManualText() const {
    // The raw text keeps a no-break space as itself and a line break as a paragraph separator, both
    // of which the text check refuses; toPlainText would make them a space and a line feed.
    return rtbTabManualInput->document()->toRawText();
}

void Form1::TabManualReplaceText(const QString& from, const QString& to) {
    // Only the part that differs is replaced: the layout of a long text is redone from there on,
    // and the rest keeps its place on the screen.
    const qsizetype shorter = std::min(from.size(), to.size());
    qsizetype head = 0;
    while (head < shorter && from.at(head) == to.at(head)) {
        ++head;
    }
    qsizetype tail = 0;
    while (tail < shorter - head && from.at(from.size() - 1 - tail) == to.at(to.size() - 1 - tail)) {
        ++tail;
    }
    QTextCursor cursor(rtbTabManualInput->document());
    cursor.setPosition(static_cast<int>(head));
    cursor.setPosition(static_cast<int>(from.size() - tail), QTextCursor::KeepAnchor);
    cursor.insertText(to.mid(head, to.size() - head - tail));
}

void Form1::TabManualTextChanged(QObject* sender) {
    (void)sender;
    // The replacements of the change handling report themselves as changes again; they are
    // canonical already and were handled as part of its pass.
    if (bTabManualChanging) {
        return;
    }
    const QString text = TabManualText();
    TabManualApplyChange(text, text, rtbTabManualInput->textCursor().position());
}

void Form1::TabManualApplyChange(const QString& current, const QString& text, qsizetype caretAt) {
    FlagGuard changing(bTabManualChanging);

    if (!hasInvalidData(text)) {
        const QString restored = strLastValidData.isNull() ? QString() : strLastValidData;
        TabManualReplaceText(current, restored);
        QTextCursor caret = rtbTabManualInput->textCursor();
        caret.movePosition(QTextCursor::End);
        rtbTabManualInput->setTextCursor(caret);
        return;
    }

    const bool atEnd = caretAt >= text.size();
    // A character typed before a space ends up after the space that formatting puts before it.
    if (!atEnd && text.at(caretAt) == QLatin1Char(' ')) {
        ++caretAt;
    }
    const QString formatted = formatBytes(text);
    strLastValidData = formatted;
    if (formatted != current) {
        TabManualReplaceText(current, formatted);
    }
    lbTabManualBytes->setText(QString::number(HexByteCount(formatted)));
    lbTabManualBytes->adjustSize();
    QTextCursor caret = rtbTabManualInput->textCursor();
    caret.setPosition(static_cast<int>(atEnd ? formatted.size() : std::min(caretAt, formatted.size())));
    rtbTabManualInput->setTextCursor(caret);

    if (checkBoxTabManual->isChecked()) {
        if (formatted.size() <= 1) {
            tbTabManualResult->clear();
            SetStatusLabel(QString());
        } else if (TabManualPerformHash() != 0) {
            tbTabManualResult->clear();
        }
    }
}

void Form1::TabManualKeyDown(QObject* sender, KeyEventArgs& e) {
    (void)sender;
    const bool plainKey = (e.event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) == Qt::NoModifier;
    if (plainKey && (e.event->key() == Qt::Key_Backspace || e.event->key() == Qt::Key_Delete) && !bTabManualChanging) {
        // As with a typed character: the deletion and the respacing it causes are one edit.
        const QTextCursor caret = rtbTabManualInput->textCursor();
        const QString current = TabManualText();
        qsizetype from = caret.selectionStart();
        qsizetype to = caret.selectionEnd();
        if (from == to) {
            if (e.event->key() == Qt::Key_Backspace) {
                from = std::max<qsizetype>(0, from - 1);
            } else {
                to = std::min(current.size(), to + 1);
            }
        }
        e.Handled = true;
        if (from < to) {
            TabManualApplyChange(current, current.left(from) + current.mid(to), from);
        }
        return;
    }
    if (e.event->key() != Qt::Key_V || !(e.event->modifiers() & Qt::ControlModifier)) {
        return;
    }
    // The box's own paste might bring formatted text; only plain text comes in, at the caret.
    e.Handled = true;
    try {
        if (const std::optional<QString> text = Clipboard::GetText()) {
            rtbTabManualInput->PastePlainText(*text);
        }
    } catch (...) {
        // Nothing readable on the clipboard: the key does nothing.
    }
}

void Form1::TabManualKeyPressed(QObject* sender, KeyPressEventArgs& e) {
    (void)sender;
    if (!ValidateKey(e.KeyChar.unicode(), true)) {
        e.Handled = true;
        return;
    }
    const bool oneCharacter = e.event == nullptr || e.event->text().size() == 1;
    if (bTabManualChanging || !oneCharacter || rtbTabManualInput->Room() == 0) {
        return; // the box takes or refuses the key's text itself
    }
    // The character goes in together with the respacing it causes, as one edit: a long text is
    // laid out once per keystroke instead of twice. The outcome is the box's own insertion
    // followed by the change handling.
    const QTextCursor caret = rtbTabManualInput->textCursor();
    const QString current = TabManualText();
    const QString text = current.left(caret.selectionStart()) + e.KeyChar + current.mid(caret.selectionEnd());
    e.Handled = true;
    TabManualApplyChange(current, text, caret.selectionStart() + 1);
}

void Form1::TabManualKeyUp(QObject* sender, KeyEventArgs& e) {
    (void)sender;
    (void)e;
}

int32_t Form1::TabManualPerformHash() {
    const int index = cbTabManual->currentIndex();
    if (index < 0 || index >= kAlgorithmCount) {
        SetStatusLabel(QStringLiteral("Please, choose a hash function"));
        return 1;
    }
    const auto alg = static_cast<EAlgorithm>(index);
    const int32_t digestLength = DigestLength(alg);

    const QString text = TabManualText();
    QString digits = text;
    digits.remove(QLatin1Char(' '));
    if (digits.size() / 2 > kManualInputMaxBytes) {
        {
            FormMessageBox box(QStringLiteral("Input is too long"),
                               QStringLiteral("For inputs bigger than 2048 bytes, please use the file view"));
            box.ShowDialog();
        }
        SetStatusLabel(QStringLiteral("Input too long"));
        return 3;
    }

    std::array<unsigned char, kManualInputMaxBytes> input{};
    const int32_t length = ASCII_to_Hex(text, kManualInputMaxBytes, input.data());
    if (length == -1) {
        SetStatusLabel(QStringLiteral("Invalid input"));
        return 2;
    }
    const auto digest = std::make_unique<unsigned char[]>(static_cast<size_t>(digestLength));
    HashFromMemory(input.data(), length, alg, digest.get());
    tbTabManualResult->setText(Hex_To_String(digest.get(), digestLength));
    SetStatusLabel(QStringLiteral("Done"));
    tsProgressBar->setValue(0);
    return 0;
}

void Form1::btTabManualCalculate_Click(QObject* sender) {
    (void)sender;
    if (TabManualText().size() < 2) {
        tbTabManualResult->clear();
        SetStatusLabel(QStringLiteral("Null input"));
        return;
    }
    if (TabManualPerformHash() == 2) {
        FormMessageBox box(QStringLiteral("Invalid input"),
                           QStringLiteral("The input can only contain hexadecimal numbers: 0-9, a-f, A-F"));
        box.ShowDialog();
    }
}

void Form1::checkBoxTabManual_CheckedChanged(QObject* sender) {
    (void)sender;
    if (!checkBoxTabManual->isChecked()) {
        return;
    }
    if (TabManualText().size() < 2) {
        tbTabManualResult->clear();
        SetStatusLabel(QString());
        return;
    }
    // Switching on keeps the previous digest when the calculation fails.
    TabManualPerformHash();
}

void Form1::cbTabManual_SelectedIndexChanged(QObject* sender) {
    (void)sender;
    if (!checkBoxTabManual->isChecked()) {
        return;
    }
    if (TabManualText().size() <= 1) {
        tbTabManualResult->clear();
        SetStatusLabel(QString());
    } else if (TabManualPerformHash() != 0) {
        tbTabManualResult->clear();
    }
}

void Form1::btTabManualCopy_Click(QObject* sender) {
    (void)sender;
    const QString digest = tbTabManualResult->text();
    if (digest.isEmpty()) {
        SetStatusLabel(QString());
        return;
    }
    if (Clipboard::SetText(digest)) {
        SetStatusLabel(QStringLiteral("Copied!"));
    } else {
        SetStatusLabel(QStringLiteral("Failed copying to clipboard, please try again"));
    }
}

void Form1::ctxMenuPaste_Click(QObject* sender) {
    (void)sender;
    std::optional<QString> text;
    try {
        text = Clipboard::GetText();
    } catch (const std::exception& failure) {
        SetStatusLabel(QString::fromUtf8(failure.what()));
        return;
    } catch (...) {
        SetStatusLabel(QStringLiteral("The clipboard could not be read"));
        return;
    }
    if (!text) {
        SetStatusLabel(QStringLiteral("No text on clipboard to paste"));
        return;
    }
    // Appended at the end whatever the caret and the selection, and not held to the box's limit.
    QTextCursor end = rtbTabManualInput->textCursor();
    end.movePosition(QTextCursor::End);
    rtbTabManualInput->setTextCursor(end);
    // The caret at the end moves on with the insertion; the change handling places it last.
    end.insertText(*text);
}

void Form1::ctxMenuClear_Click(QObject* sender) {
    (void)sender;
    if (rtbTabManualInput->document()->isEmpty()) {
        // Removing nothing reports no change; the change handling runs all the same.
        TabManualTextChanged(rtbTabManualInput);
        return;
    }
    QTextCursor all = rtbTabManualInput->textCursor();
    all.select(QTextCursor::Document);
    all.removeSelectedText();
}

} // namespace quorvel

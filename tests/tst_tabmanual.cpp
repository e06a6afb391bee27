// The manual-input tab in the window: typing and pasting, the canonical spacing and the caret,
// the byte count, automatic and explicit calculation, the message windows, copying, and the
// context menu.
#include "Clipboard.h"
#include "Controls.h"
#include "Form1.h"
#include "FormMessageBox.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCryptographicHash>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextCursor>

#include <memory>
#include <stdexcept>

using namespace quorvel;

namespace {

// The digest the tab should show for these bytes (given as hexadecimal), worked out apart from
// the program's own digest code.
QString ExpectedDigest(const QByteArray& hexBytes, QCryptographicHash::Algorithm alg = QCryptographicHash::Md5) {
    return QString::fromLatin1(QCryptographicHash::hash(QByteArray::fromHex(hexBytes), alg).toHex().toUpper());
}

QString Repeat(const QString& piece, int times) {
    QString out;
    for (int i = 0; i < times; ++i) {
        out += piece;
    }
    return out;
}

// The canonical text of n bytes written as "00".
QString ZeroPairs(int n) {
    QStringList pairs;
    for (int i = 0; i < n; ++i) {
        pairs << QStringLiteral("00");
    }
    return pairs.join(QLatin1Char(' '));
}

struct MessageRecord {
    QString title;
    QString message;
};

} // namespace

class TestTabManual : public QObject {
    Q_OBJECT
    QList<MessageRecord> m_messages;
    std::unique_ptr<Form1> m_form;
    RichTextBox* m_box = nullptr;

    QString Text() const { return m_box->toPlainText(); }
    int Caret() const { return m_box->textCursor().position(); }
    QString Status() const { return m_form->toolStripStatusLabel->text(); }
    QString Result() const { return m_form->tbTabManualResult->text(); }
    QString Count() const { return m_form->lbTabManualBytes->text(); }

    void SetCaret(int position) {
        QTextCursor cursor = m_box->textCursor();
        cursor.setPosition(position);
        m_box->setTextCursor(cursor);
    }

    void SetClipboardText(const QString& text) { QGuiApplication::clipboard()->setText(text); }

    // One step of a script, the way a user does it (keys) or as the program's own edit.
    //   set:TEXT    the program sets the whole text (both ways)
    //   caret:N     caret to position N (both ways)
    //   select:A-B  characters A to B selected (both ways)
    //   type:CHARS  keys: one key per character ("\r" is Enter); program: inserted at the caret
    //   paste:TEXT  keys: Ctrl+V with TEXT on the clipboard; program: inserted at the caret
    //   back        Backspace; program: the character before the caret (or the selection) removed
    //   del         Delete; program: the character after the caret (or the selection) removed
    void Run(const QString& step, bool keys) {
        const QString op = step.section(QLatin1Char(':'), 0, 0);
        const QString arg = step.section(QLatin1Char(':'), 1);
        if (op == QLatin1String("set")) {
            m_box->setPlainText(arg);
        } else if (op == QLatin1String("caret")) {
            SetCaret(arg.toInt());
        } else if (op == QLatin1String("select")) {
            QTextCursor cursor = m_box->textCursor();
            cursor.setPosition(arg.section(QLatin1Char('-'), 0, 0).toInt());
            cursor.setPosition(arg.section(QLatin1Char('-'), 1, 1).toInt(), QTextCursor::KeepAnchor);
            m_box->setTextCursor(cursor);
        } else if (op == QLatin1String("type")) {
            if (!keys) {
                m_box->textCursor().insertText(arg);
                return;
            }
            for (const QChar c : arg) {
                if (c == QLatin1Char('\r')) {
                    QTest::keyClick(m_box, Qt::Key_Return);
                } else {
                    QTest::keyClick(m_box, c.toLatin1());
                }
            }
        } else if (op == QLatin1String("paste")) {
            if (!keys) {
                m_box->textCursor().insertText(arg);
                return;
            }
            SetClipboardText(arg);
            QTest::keyClick(m_box, Qt::Key_V, Qt::ControlModifier);
        } else if (op == QLatin1String("del")) {
            if (!keys) {
                m_box->textCursor().deleteChar();
                return;
            }
            QTest::keyClick(m_box, Qt::Key_Delete);
        } else if (op == QLatin1String("back")) {
            if (!keys) {
                m_box->textCursor().deletePreviousChar();
                return;
            }
            QTest::keyClick(m_box, Qt::Key_Backspace);
        } else {
            QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
        }
    }

private Q_SLOTS:
    void initTestCase() {
        SetUpApplication(*qobject_cast<QApplication*>(QCoreApplication::instance()));
        FormMessageBox::SetShowDialogForTesting([this](FormMessageBox& box) {
            m_messages.append({box.windowTitle(), box.lbMessage->text().chopped(3)});
        });
    }
    void cleanupTestCase() { FormMessageBox::SetShowDialogForTesting({}); }

    void init() {
        m_messages.clear();
        m_form = std::make_unique<Form1>(QStringList{});
        m_form->tabControl->setCurrentWidget(m_form->tabManual);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        m_box = m_form->rtbTabManualInput;
        m_box->setFocus();
        QGuiApplication::clipboard()->clear();
    }
    void cleanup() {
        m_form.reset();
        Clipboard::SetPlatformPutForTesting({});
        Clipboard::SetPlatformGetForTesting({});
    }

    void startState() {
        QCOMPARE(Text(), QString());
        QCOMPARE(Count(), QStringLiteral("0"));
        QCOMPARE(m_form->cbTabManual->currentIndex(), 0);
        QCOMPARE(m_form->cbTabManual->currentText(), QStringLiteral("MD5"));
        QVERIFY(m_form->checkBoxTabManual->isChecked());
        QCOMPARE(Result(), QString());
        QVERIFY(m_form->strLastValidData.isNull());
        QCOMPARE(m_box->MaxLength, 6143);
        QCOMPARE(m_box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    }

    // Scripts of edits, each replayed as keys and as the program's own edits. "bytes" is the
    // hexadecimal of the bytes whose MD5 the result box shows, or "-" for an empty result box.
    void edits_data() {
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<bool>("keysOnly");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("status");

        struct Row {
            const char* name;
            QStringList script;
            bool keysOnly;
            QString text;
            int caret;
            QString count;
            QByteArray bytes;
            QString status;
        };
        const QString full = ZeroPairs(2047); // 6140 characters, 2047 bytes
        const QList<Row> rows{
            {"a 1 b typed", {"type:a1b"}, false, "a1 b", 4, "1", "A1", "Done"},
            {"single digit", {"type:a"}, false, "a", 1, "0", "-", ""},
            {"pasted with spaces", {"paste:A1 b2 C"}, false, "A1 b2 C", 7, "2", "A1B2", "Done"},
            {"pasted without spaces", {"paste:A1b2C3d"}, false, "A1 b2 C3 d", 10, "3", "A1B2C3", "Done"},
            {"pasted with stray spaces", {"paste:  A1B2  "}, false, "A1 B2", 5, "2", "A1B2", "Done"},
            {"space Enter G comma at the end",
             {"type:A1B2", "type: ", "type:\r", "type:G", "type:,"},
             false,
             "A1 B2",
             5,
             "2",
             "A1B2",
             "Done"},
            {"space Enter G comma inside",
             {"type:A1B2", "caret:1", "type: \rG,"},
             true,
             "A1 B2",
             1,
             "2",
             "A1B2",
             "Done"},
            {"hello world pasted",
             {"type:A1B2", "caret:0", "paste:hello world"},
             false,
             "A1 B2",
             5,
             "2",
             "A1B2",
             "Done"},
            {"line break pasted", {"type:A1B2", "caret:2", "paste:C3\nD4"}, false, "A1 B2", 5, "2", "A1B2", "Done"},
            {"CR LF pasted", {"type:A1B2", "paste:\r\n"}, false, "A1 B2", 5, "2", "A1B2", "Done"},
            {"e acute pasted", {"type:A1B2", "caret:3", "paste:\u00e9"}, false, "A1 B2", 5, "2", "A1B2", "Done"},
            {"no-break space pasted", {"type:A1B2", "paste:\u00a0C3"}, false, "A1 B2", 5, "2", "A1B2", "Done"},
            {"tab pasted between digits", {"paste:A1\tB2"}, false, "A1 \tB 2", 7, "2", "-", "Invalid input"},
            {"tab after the pairs", {"paste:A1B2\t"}, false, "A1 B2 \t", 7, "2", "A1B2", "Done"},
            {"last digit deleted", {"type:a1b2", "back"}, false, "a1 b", 4, "1", "A1", "Done"},
            {"odd digit deleted", {"type:a1b2", "back", "back"}, false, "a1", 2, "1", "A1", "Done"},
            {"all deleted", {"type:a1", "back", "back"}, false, "", 0, "0", "-", ""},
            {"inner space deleted", {"type:a1b2", "caret:3", "back"}, false, "a1 b2", 2, "2", "A1B2", "Done"},
            {"typed before a space", {"type:A1B2", "caret:2", "type:C"}, false, "A1 CB 2", 4, "2", "A1CB", "Done"},
            {"typed after a space", {"type:A1B2", "caret:3", "type:C"}, false, "A1 CB 2", 4, "2", "A1CB", "Done"},
            {"Backspace at the start", {"type:A1B2", "caret:0", "back"}, false, "A1 B2", 0, "2", "A1B2", "Done"},
            {"Delete at the end", {"type:A1B2", "del"}, false, "A1 B2", 5, "2", "A1B2", "Done"},
            {"Delete at the start", {"type:A1B2C3", "caret:0", "del"}, false, "1B 2C 3", 0, "2", "1B2C", "Done"},
            {"Delete before a space", {"type:A1B2C3", "caret:2", "del"}, false, "A1 B2 C3", 2, "3", "A1B2C3", "Done"},
            {"Delete of a selection", {"type:A1B2C3", "select:1-4", "del"}, false, "A2 C3", 1, "2", "A2C3", "Done"},
            {"Backspace of a selection", {"type:A1B2C3", "select:7-2", "back"}, false, "A1 3", 2, "1", "A1", "Done"},
            {"typed over a selection",
             {"type:A1B2C3", "select:3-5", "type:F"},
             false,
             "A1 FC 3",
             5,
             "2",
             "A1FC",
             "Done"},
            {"pasted over a selection",
             {"type:A1B2C3", "select:0-5", "paste:99"},
             false,
             "99 C3",
             3,
             "2",
             "99C3",
             "Done"},
            {"typed at the start", {"type:A1B2", "caret:0", "type:C"}, false, "CA 1B 2", 1, "2", "CA1B", "Done"},
            {"2048 bytes",
             {"set:" + full, "caret:6140", "type:FF"},
             false,
             full + " FF",
             6143,
             "2048",
             (Repeat(QStringLiteral("00"), 2047) + QStringLiteral("FF")).toLatin1(),
             "Done"},
            {"typing stops at 6143",
             {"set:" + full, "caret:6140", "type:123"},
             true,
             full + " 12",
             6143,
             "2048",
             (Repeat(QStringLiteral("00"), 2047) + QStringLiteral("12")).toLatin1(),
             "Done"},
            // The paste is cut to the three characters that fit; the spacing added after it is the
            // program's own and not held to the limit.
            {"Ctrl+V cut to the limit",
             {"set:" + full, "caret:6140", "paste:ABCDEF"},
             true,
             full + " AB C",
             6145,
             "2048",
             (Repeat(QStringLiteral("00"), 2047) + QStringLiteral("AB")).toLatin1(),
             "Done"},
        };
        for (const bool keys : {true, false}) {
            for (const Row& row : rows) {
                if (row.keysOnly && !keys) {
                    continue;
                }
                QTest::addRow("%s (%s)", row.name, keys ? "keys" : "program")
                    << row.script << keys << row.text << row.caret << row.count << row.bytes << row.status;
            }
        }
    }
    void edits() {
        QFETCH(QStringList, script);
        QFETCH(bool, keysOnly);
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(QString, count);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, status);
        for (const QString& step : std::as_const(script)) {
            Run(step, keysOnly);
        }
        QCOMPARE(Text(), text);
        QCOMPARE(Caret(), caret);
        QCOMPARE(Count(), count);
        QCOMPARE(Result(), bytes == "-" ? QString() : ExpectedDigest(bytes));
        QCOMPARE(Status(), status);
        QCOMPARE(m_form->strLastValidData, text);
        // Automatic calculation never opens the invalid-input window.
        for (const MessageRecord& shown : std::as_const(m_messages)) {
            QVERIFY(shown.title != QLatin1String("Invalid input"));
        }
    }

    // A refused change restores the text and touches nothing else, however the status and result
    // came to be.
    void refusedChangeKeepsTheRest() {
        QTest::keyClicks(m_box, QStringLiteral("A1B2"));
        m_form->SetStatusLabel(QStringLiteral("something else"));
        m_box->textCursor().insertText(QStringLiteral("xyz"));
        QCOMPARE(Text(), QStringLiteral("A1 B2"));
        QCOMPARE(Caret(), 5);
        QCOMPARE(Status(), QStringLiteral("something else"));
        QCOMPARE(Result(), ExpectedDigest("A1B2"));
    }

    // Before any accepted change the text to restore is the empty one.
    void refusedFirstChangeRestoresEmpty() {
        m_box->setPlainText(QStringLiteral("G"));
        QCOMPARE(Text(), QString());
        QCOMPARE(Caret(), 0);
        QVERIFY(m_form->strLastValidData.isNull());
    }

    // Each change is followed by the tab's own respacing; the box keeps no undo history, so
    // Ctrl+Z can never bring back a text that is not canonical.
    void undoKeepsTheText() {
        QTest::keyClicks(m_box, QStringLiteral("a1b"));
        QCOMPARE(Text(), QStringLiteral("a1 b"));
        QTest::keyClick(m_box, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Text(), QStringLiteral("a1 b"));
        QCOMPARE(Count(), QStringLiteral("1"));
        QCOMPARE(Result(), ExpectedDigest("A1"));
    }

    // The context menu's Paste: appended at the end, whatever the caret, and not held to the limit.
    void contextPaste_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("tooLongWindows");

        const QString d4096 = Repeat(QStringLiteral("AB"), 2048);
        QTest::newRow("caret at the start") << "A1" << 0 << "B2"
                                            << "A1 B2"
                                            << "2" << QByteArray("A1B2") << "Done" << 0;
        QTest::newRow("refused text") << "A1" << 1 << "hello"
                                      << "A1"
                                      << "1" << QByteArray("A1") << "Done" << 0;
        QTest::newRow("exactly 2048 bytes")
            << "" << 0 << d4096 << formatBytesForTest(d4096) << "2048" << d4096.toLatin1() << "Done" << 0;
        QTest::newRow("4097 digits, last pending")
            << "" << 0 << d4096 + "C" << formatBytesForTest(d4096 + "C") << "2048" << d4096.toLatin1() << "Done" << 0;
        QTest::newRow("2049 bytes") << "" << 0 << d4096 + "CD" << formatBytesForTest(d4096 + "CD") << "2049"
                                    << QByteArray("-") << "Input too long" << 1;
    }
    void contextPaste() {
        QFETCH(QString, before);
        QFETCH(int, caret);
        QFETCH(QString, clipboard);
        QFETCH(QString, text);
        QFETCH(QString, count);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, status);
        QFETCH(int, tooLongWindows);
        m_box->setPlainText(before);
        SetCaret(caret);
        m_messages.clear();
        SetClipboardText(clipboard);
        m_form->ctxMenuPaste->trigger();
        QCOMPARE(Text(), text);
        QCOMPARE(Caret(), static_cast<int>(text.size()));
        QCOMPARE(Count(), count);
        QCOMPARE(Result(), bytes == "-" ? QString() : ExpectedDigest(bytes));
        QCOMPARE(Status(), status);
        QCOMPARE(m_messages.size(), tooLongWindows);
        if (tooLongWindows > 0) {
            QCOMPARE(m_messages[0].title, QStringLiteral("Input is too long"));
            QCOMPARE(m_messages[0].message,
                     QStringLiteral("For inputs bigger than 2048 bytes, please use the file view"));
        }
    }

    void contextPasteWithoutText() {
        m_box->setPlainText(QStringLiteral("A1"));
        auto* data = new QMimeData;
        data->setData(QStringLiteral("application/octet-stream"), QByteArray("\x01\x02", 2));
        QGuiApplication::clipboard()->setMimeData(data);
        m_form->ctxMenuPaste->trigger();
        QCOMPARE(Status(), QStringLiteral("No text on clipboard to paste"));
        QCOMPARE(Text(), QStringLiteral("A1"));
        QCOMPARE(Result(), ExpectedDigest("A1"));
    }

    void contextPasteReadFailure() {
        m_box->setPlainText(QStringLiteral("A1"));
        const QString description = QStringLiteral("The clipboard is held by another program and stayed busy "
                                                   "for longer than the program was willing to wait for it");
        Clipboard::SetPlatformGetForTesting(
            [&]() -> std::optional<QString> { throw std::runtime_error(description.toStdString()); });
        m_form->ctxMenuPaste->trigger();
        QCOMPARE(Status(), description.left(80) + QStringLiteral("..."));
        QCOMPARE(Text(), QStringLiteral("A1"));
        QCOMPARE(Result(), ExpectedDigest("A1"));
    }

    void clear_data() {
        QTest::addColumn<bool>("automatic");
        QTest::newRow("automatic") << true;
        QTest::newRow("manual") << false;
    }
    void clear() {
        QFETCH(bool, automatic);
        QTest::keyClicks(m_box, QStringLiteral("A1B2"));
        m_form->checkBoxTabManual->setChecked(automatic);
        m_form->SetStatusLabel(QStringLiteral("Done"));
        m_form->ctxMenuClear->trigger();
        QCOMPARE(Text(), QString());
        QCOMPARE(Count(), QStringLiteral("0"));
        QCOMPARE(Result(), automatic ? QString() : ExpectedDigest("A1B2"));
        QCOMPARE(Status(), automatic ? QString() : QStringLiteral("Done"));
        QCOMPARE(m_form->strLastValidData, QString());
    }

    void contextMenuItems() {
        const QList<QAction*> items = m_form->ctxMenu->actions();
        QCOMPARE(items.size(), 2);
        QCOMPARE(items[0]->text(), QStringLiteral("Clear"));
        QCOMPARE(items[1]->text(), QStringLiteral("Paste"));
    }

    // The algorithm: recomputed at once when automatic, left alone otherwise until Calculate.
    void algorithmChange_data() {
        QTest::addColumn<bool>("automatic");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("hash");
        QTest::newRow("automatic SHA-512") << true << 5 << int(QCryptographicHash::Sha512);
        QTest::newRow("automatic SHA-224") << true << 2 << int(QCryptographicHash::Sha224);
        QTest::newRow("manual SHA-256") << false << 3 << int(QCryptographicHash::Sha256);
    }
    void algorithmChange() {
        QFETCH(bool, automatic);
        QFETCH(int, index);
        QFETCH(int, hash);
        const auto alg = static_cast<QCryptographicHash::Algorithm>(hash);
        QTest::keyClicks(m_box, QStringLiteral("0123456789abcdef"));
        m_form->checkBoxTabManual->setChecked(automatic);
        m_form->cbTabManual->setCurrentIndex(index);
        if (automatic) {
            QCOMPARE(Result(), ExpectedDigest("0123456789abcdef", alg));
            return;
        }
        QCOMPARE(Result(), ExpectedDigest("0123456789abcdef"));
        QTest::mouseClick(m_form->btTabManualCalculate, Qt::LeftButton);
        QCOMPARE(Result(), ExpectedDigest("0123456789abcdef", alg));
        QCOMPARE(Result().size(), 64);
        QCOMPARE(Status(), QStringLiteral("Done"));
    }

    void noAlgorithm() {
        QTest::keyClicks(m_box, QStringLiteral("A1B2"));
        m_form->cbTabManual->setCurrentIndex(-1); // automatic: the result box is emptied
        QCOMPARE(Status(), QStringLiteral("Please, choose a hash function"));
        QCOMPARE(Result(), QString());
        QCOMPARE(m_form->TabManualPerformHash(), 1);
    }

    void calculate_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("emptied");
        QTest::addColumn<QString>("windowTitle");
        QTest::newRow("empty") << ""
                               << "Null input" << true << "";
        QTest::newRow("single digit") << "A"
                                      << "Null input" << true << "";
        QTest::newRow("tab inside the pairs") << "A1\tB2"
                                              << "Invalid input" << false << "Invalid input";
        QTest::newRow("2049 bytes") << Repeat(QStringLiteral("00"), 2049) << "Input too long" << false
                                    << "Input is too long";
    }
    void calculate() {
        QFETCH(QString, input);
        QFETCH(QString, status);
        QFETCH(bool, emptied);
        QFETCH(QString, windowTitle);
        // A digest from before, with automatic calculation off so that only Calculate acts.
        QTest::keyClicks(m_box, QStringLiteral("FFEE"));
        m_form->checkBoxTabManual->setChecked(false);
        m_box->setPlainText(input);
        m_messages.clear();
        QTest::mouseClick(m_form->btTabManualCalculate, Qt::LeftButton);
        QCOMPARE(Status(), status);
        QCOMPARE(Result(), emptied ? QString() : ExpectedDigest("FFEE"));
        if (windowTitle.isEmpty()) {
            QVERIFY(m_messages.isEmpty());
        } else {
            QCOMPARE(m_messages.size(), 1);
            QCOMPARE(m_messages[0].title, windowTitle);
        }
        if (windowTitle == QLatin1String("Invalid input")) {
            QCOMPARE(m_messages[0].message,
                     QStringLiteral("The input can only contain hexadecimal numbers: 0-9, a-f, A-F"));
        }
    }

    // The tab sets the shared progress bar to 0 whenever it shows a digest.
    void calculationResetsProgress() {
        m_form->tsProgressBar->setValue(40);
        QTest::keyClicks(m_box, QStringLiteral("A1"));
        QCOMPARE(m_form->tsProgressBar->value(), 0);
    }

    // Switching automatic calculation on computes once; a failure then keeps the previous digest.
    void switchOn_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("status");
        QTest::newRow("valid") << "C3D4" << ExpectedDigest("C3D4") << "Done";
        QTest::newRow("invalid keeps") << "A1\tB2" << ExpectedDigest("A1B2") << "Invalid input";
        QTest::newRow("short empties") << "C" << QString() << "";
    }
    void switchOn() {
        QFETCH(QString, input);
        QFETCH(QString, result);
        QFETCH(QString, status);
        QTest::keyClicks(m_box, QStringLiteral("A1B2"));
        m_form->checkBoxTabManual->setChecked(false);
        m_box->setPlainText(input);
        QCOMPARE(Result(), ExpectedDigest("A1B2")); // off: changes leave the result alone
        m_form->checkBoxTabManual->setChecked(true);
        QCOMPARE(Result(), result);
        QCOMPARE(Status(), status);
        QVERIFY(m_messages.isEmpty());
        QVERIFY(m_form->btTabManualCalculate->isEnabled());
    }

    void copy() {
        m_form->btTabManualCopy->click();
        QCOMPARE(Status(), QString());

        QTest::keyClicks(m_box, QStringLiteral("A1B2"));
        m_form->btTabManualCopy->click();
        QCOMPARE(Status(), QStringLiteral("Copied!"));
        QCOMPARE(QGuiApplication::clipboard()->text(), ExpectedDigest("A1B2"));

        int attempts = 0;
        Clipboard::SetPlatformPutForTesting([&](const QString&) {
            ++attempts;
            return false;
        });
        m_form->btTabManualCopy->click();
        QCOMPARE(Status(), QStringLiteral("Failed copying to clipboard, please try again"));
        QCOMPARE(attempts, 3);
        QCOMPARE(Result(), ExpectedDigest("A1B2"));
    }

    // The tab works on while a file job holds the busy state.
    void usableWhileBusy() {
        m_form->DisableAll();
        QTest::keyClicks(m_box, QStringLiteral("A1"));
        QCOMPARE(Result(), ExpectedDigest("A1"));
        QVERIFY(m_form->btTabManualCalculate->isEnabled());
    }

private:
    static QString formatBytesForTest(const QString& digits) {
        QStringList pairs;
        for (qsizetype i = 0; i < digits.size(); i += 2) {
            pairs << digits.mid(i, 2);
        }
        return pairs.join(QLatin1Char(' '));
    }
};

QTEST_MAIN(TestTabManual)
#include "tst_tabmanual.moc"

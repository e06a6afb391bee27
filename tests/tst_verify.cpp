// Verification: the dialog that takes the digest (its looks, key filter, typing limit, Paste
// button, counter and size hint, and how it closes), and the main window's comparison with the
// four digest boxes.
#include "Clipboard.h"
#include "Controls.h"
#include "Form1.h"
#include "FormMessageBox.h"
#include "FormTestSupport.h"
#include "FormVerify.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <stdexcept>

using namespace quorvel;

namespace {

const QString& kMd5 = testing::kDigestOfA_MD5;
const QString& kSha1 = testing::kDigestOfA_SHA1;
const QString& kSha256 = testing::kDigestOfA_SHA256;
const QString& kSha512 = testing::kDigestOfA_SHA512;

// The next widget the Tab key reaches.
QWidget* NextTabStop(QWidget* from) {
    QWidget* next = from->nextInFocusChain();
    while (next != from && !(next->focusPolicy() & Qt::TabFocus)) {
        next = next->nextInFocusChain();
    }
    return next;
}

struct MessageRecord {
    QString title;
    QString message;
};

} // namespace

class TestVerify : public QObject {
    Q_OBJECT
    QList<MessageRecord> m_messages;

private Q_SLOTS:
    void initTestCase() {
        SetUpApplication(*qobject_cast<QApplication*>(QCoreApplication::instance()));
        FormMessageBox::SetShowDialogForTesting([this](FormMessageBox& box) {
            m_messages.append({box.windowTitle(), box.lbMessage->text().chopped(3)});
        });
    }
    void cleanupTestCase() { FormMessageBox::SetShowDialogForTesting({}); }
    void init() { m_messages.clear(); }
    void cleanup() {
        FormVerify::SetShowDialogForTesting({});
        Clipboard::SetPlatformGetForTesting({});
    }

    void looks() {
        FormVerify dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Verify"));
        QCOMPARE(dialog.size(), QSize(364, 115));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QVERIFY(!(dialog.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(dialog.windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(dialog.palette().color(QPalette::Window), QColor(Qt::white));
        QCOMPARE(dialog.label1->text(),
                 QStringLiteral("Paste here to verify with any of the hashes. No spaces, please"));
        QCOMPARE(dialog.label1->pos(), QPoint(10, 13));
        QCOMPARE(dialog.label1->font().family(), QStringLiteral("Calibri"));
        QCOMPARE(dialog.label1->font().pointSizeF(), 9.0);
        QCOMPARE(dialog.btPaste->geometry(), QRect(7, 43, 24, 24));
        QCOMPARE(dialog.btPaste->text(), QString());
        QVERIFY(!dialog.btPaste->icon().isNull());
        QCOMPARE(dialog.tbHashToVerify->geometry(), QRect(35, 47, 323, 22));
        QCOMPARE(dialog.tbHashToVerify->font().family(), QStringLiteral("Consolas"));
        QCOMPARE(dialog.tbHashToVerify->font().pointSizeF(), 9.0);
        QCOMPARE(dialog.lbVerifyBytes->pos(), QPoint(322, 73));
        QCOMPARE(dialog.lbVerifyBytes->text(), QStringLiteral("0"));
        QVERIFY(dialog.lbVerifyBytes->font().bold());
        QCOMPARE(dialog.lbVerifyBytes->palette().color(QPalette::WindowText), QColor(0, 192, 0));
        QCOMPARE(dialog.btVerify->geometry(), QRect(109, 78, 54, 23));
        QCOMPARE(dialog.btVerify->text(), QStringLiteral("Verify"));
        QCOMPARE(dialog.btVerify->font().pointSizeF(), 9.75);
        QVERIFY(dialog.btVerify->styleSheet().contains(QStringLiteral("rgb(128, 255, 128)")));
        QVERIFY(dialog.btVerify->isDefault());
        QCOMPARE(dialog.btCancel->geometry(), QRect(201, 78, 54, 23));
        QCOMPARE(dialog.btCancel->text(), QStringLiteral("Cancel"));
        QVERIFY(dialog.btCancel->styleSheet().contains(QStringLiteral("rgb(192, 0, 0)")));
        QCOMPARE(dialog.lbSize->pos(), QPoint(275, 92));
        QCOMPARE(dialog.lbSize->text(), QString());
        QVERIFY(dialog.lbSize->font().bold());
        QCOMPARE(dialog.lbSize->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QCOMPARE(NextTabStop(dialog.tbHashToVerify), dialog.btVerify);
        QCOMPARE(NextTabStop(dialog.btVerify), dialog.btCancel);
        QCOMPARE(NextTabStop(dialog.btCancel), dialog.btPaste);
        QCOMPARE(NextTabStop(dialog.btPaste), dialog.tbHashToVerify);
    }

    void focusOnOpen() {
        FormVerify dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(QApplication::focusWidget(), dialog.tbHashToVerify);
    }

    // The dialog's key filter, by character code.
    void keyFilter_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("accepted");
        const QList<QPair<int, bool>> codes{
            {0, true},    {1, true},    {3, true},     {8, true},     {9, true},       {10, true},  {12, true},
            {13, false},  {14, true},   {22, true},    {24, true},    {26, true},      {31, true},  {32, false},
            {33, false},  {47, false},  {48, true},    {57, true},    {58, false},     {64, false}, {65, true},
            {70, true},   {71, false},  {90, false},   {96, false},   {97, true},      {102, true}, {103, false},
            {120, false}, {127, false}, {0xA0, false}, {0xE9, false}, {0x3000, false}, {-1, false},
        };
        for (const auto& [code, accepted] : codes) {
            QTest::addRow("%d", code) << code << accepted;
        }
    }
    void keyFilter() {
        QFETCH(int, code);
        QFETCH(bool, accepted);
        QCOMPARE(FormVerify::ValidateKey(code), accepted);
        FormVerify dialog;
        KeyPressEventArgs e{QChar(static_cast<char16_t>(code & 0xFFFF))};
        dialog.tbHashToVerifyKeyPress(dialog.tbHashToVerify, e);
        if (code >= 0) {
            QCOMPARE(e.Handled, !accepted);
        }
    }

    // Typed keys as the user types them: only the digits and a to f get in, and no more than 128.
    void typing_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("entry");
        QTest::newRow("refused keys") << "0g x,Fa G;"
                                      << "0Fa";
        QTest::newRow("stops at 128") << QString(130, QLatin1Char('a')) << QString(128, QLatin1Char('a'));
    }
    void typing() {
        QFETCH(QString, keys);
        QFETCH(QString, entry);
        FormVerify dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClicks(dialog.tbHashToVerify, keys);
        QCOMPARE(dialog.getHash(), entry);
        QCOMPARE(dialog.lbVerifyBytes->text(), QString::number(entry.size() / 2));
        QVERIFY(dialog.isVisible());
    }

    // Every key that brings a character asks the filter and is held to the limit, whatever the
    // character's kind and the modifiers held (AltGr arrives as Ctrl+Alt); the editing keys still edit.
    void typedKeys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        const int none = Qt::NoModifier;
        const int altGr = Qt::ControlModifier | Qt::AltModifier;
        const QString full(128, QLatin1Char('a'));
        QTest::newRow("a") << int(Qt::Key_A) << none << "a"
                           << "ab0"
                           << "ab0a";
        QTest::newRow("AltGr with @") << int(Qt::Key_At) << altGr << "@"
                                      << "ab0"
                                      << "ab0";
        QTest::newRow("AltGr with a") << int(Qt::Key_A) << altGr << "a"
                                      << "ab0"
                                      << "ab0a";
        QTest::newRow("AltGr with a, entry full") << int(Qt::Key_A) << altGr << "a" << full << full;
        QTest::newRow("Alt+g") << int(Qt::Key_G) << int(Qt::AltModifier) << "g"
                               << "ab0"
                               << "ab0";
        QTest::newRow("keypad 5") << int(Qt::Key_5) << int(Qt::KeypadModifier) << "5"
                                  << "ab0"
                                  << "ab05";
        QTest::newRow("zero-width space") << int(Qt::Key_unknown) << none << "\u200b"
                                          << "ab0"
                                          << "ab0";
        QTest::newRow("soft hyphen") << int(Qt::Key_unknown) << none << "\u00ad"
                                     << "ab0"
                                     << "ab0";
        QTest::newRow("private use") << int(Qt::Key_unknown) << none << "\ue000"
                                     << "ab0"
                                     << "ab0";
        QTest::newRow("beyond the BMP") << int(Qt::Key_unknown) << none << "\U0001F600"
                                        << "ab0"
                                        << "ab0";
        QTest::newRow("Backspace edits") << int(Qt::Key_Backspace) << none << "\b"
                                         << "ab0"
                                         << "ab";
    }
    void typedKeys() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(QString, before);
        QFETCH(QString, after);
        FormVerify dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.tbHashToVerify->setText(before);
        QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
        QApplication::sendEvent(dialog.tbHashToVerify, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::KeyboardModifiers(modifiers), text);
        QApplication::sendEvent(dialog.tbHashToVerify, &release);
        QCOMPARE(dialog.getHash(), after);
    }

    // Characters the input method composes are typed too: filtered one by one and held to the limit.
    void composedCharacters_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("commit");
        QTest::addColumn<QString>("after");
        QTest::newRow("accepted") << "ab0"
                                  << "f"
                                  << "ab0f";
        QTest::newRow("e with an accent") << "ab0"
                                          << "\u00e9"
                                          << "ab0";
        QTest::newRow("mixed") << "ab0"
                               << "5\u00e9x1"
                               << "ab051";
        QTest::newRow("held to the limit")
            << QString(127, QLatin1Char('a')) << "12" << QString(127, QLatin1Char('a')) + "1";
    }
    void composedCharacters() {
        QFETCH(QString, before);
        QFETCH(QString, commit);
        QFETCH(QString, after);
        FormVerify dialog;
        dialog.tbHashToVerify->setText(before);
        QInputMethodEvent event;
        event.setCommitString(commit);
        QApplication::sendEvent(dialog.tbHashToVerify, &event);
        QCOMPARE(dialog.getHash(), after);
    }

    // Pasting into the entry itself is held to 128 characters and not filtered; the Paste button
    // is held to neither.
    void pasting() {
        FormVerify dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QString long200 = QString(199, QLatin1Char('b')) + QLatin1Char(' ');
        QGuiApplication::clipboard()->setText(long200);
        QTest::keyClick(dialog.tbHashToVerify, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(dialog.getHash(), long200.left(128));

        dialog.tbHashToVerify->clear();
        QGuiApplication::clipboard()->setText(QStringLiteral("xyz!"));
        QTest::keyClick(dialog.tbHashToVerify, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(dialog.getHash(), QStringLiteral("xyz!"));

        QGuiApplication::clipboard()->setText(long200);
        dialog.btPaste->click();
        QCOMPARE(dialog.getHash(), long200);
        QCOMPARE(dialog.lbVerifyBytes->text(), QStringLiteral("99"));
        // Over the limit: further typing is refused, deleting is not.
        QTest::keyClick(dialog.tbHashToVerify, Qt::Key_A);
        QCOMPARE(dialog.getHash().size(), 200);
        QTest::keyClick(dialog.tbHashToVerify, Qt::Key_Backspace);
        QCOMPARE(dialog.getHash().size(), 199);
    }

    // The entry's own context menu pastes under the same limit.
    void contextMenuPaste() {
        FormVerify dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QGuiApplication::clipboard()->setText(QString(150, QLatin1Char('c')));
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                dialog.tbHashToVerify->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(dialog.tbHashToVerify, &event);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu != nullptr);
        QAction* paste = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->text().startsWith(QStringLiteral("&Paste"))) {
                paste = action;
            }
        }
        QVERIFY(paste != nullptr);
        paste->trigger();
        menu->close();
        QCOMPARE(dialog.getHash(), QString(128, QLatin1Char('c')));
    }

    void pasteButtonWithoutText() {
        FormVerify dialog;
        dialog.tbHashToVerify->setText(QStringLiteral("abc"));
        auto* data = new QMimeData;
        data->setData(QStringLiteral("image/png"), QByteArray("\x89PNG", 4));
        QGuiApplication::clipboard()->setMimeData(data);
        dialog.btPaste->click();
        QCOMPARE(dialog.getHash(), QStringLiteral("abc"));

        Clipboard::SetPlatformGetForTesting([]() -> std::optional<QString> { throw std::runtime_error("busy"); });
        dialog.btPaste->click();
        QCOMPARE(dialog.getHash(), QStringLiteral("abc"));
    }

    // The counter: characters that are not Unicode white space, halved; the hint by its value.
    void counter_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("hint");
        const auto hex = [](int n) {
            return QString(n, QLatin1Char('a'));
        };
        QTest::newRow("empty") << ""
                               << "0"
                               << "";
        QTest::newRow("one character") << "a"
                                       << "0"
                                       << "";
        QTest::newRow("only white space") << " \t\n"
                                          << "0"
                                          << "";
        QTest::newRow("32") << hex(32) << "16"
                            << "MD5 size";
        QTest::newRow("33") << hex(33) << "16"
                            << "MD5 size";
        QTest::newRow("31") << hex(31) << "15"
                            << "";
        QTest::newRow("40") << hex(40) << "20"
                            << "SHA1 size";
        QTest::newRow("41") << hex(41) << "20"
                            << "SHA1 size";
        QTest::newRow("56, SHA-224's length") << hex(56) << "28"
                                              << "";
        QTest::newRow("64") << hex(64) << "32"
                            << "SHA256 size";
        QTest::newRow("65") << hex(65) << "32"
                            << "SHA256 size";
        QTest::newRow("96, SHA-384's length") << hex(96) << "48"
                                              << "";
        QTest::newRow("128") << hex(128) << "64"
                             << "SHA512 size";
        QTest::newRow("129") << hex(129) << "64"
                             << "SHA512 size";
        QTest::newRow("MD5 with a line break") << kMd5 + "\n"
                                               << "16"
                                               << "MD5 size";
        QTest::newRow("MD5 with CR LF") << kMd5 + "\r\n"
                                        << "16"
                                        << "MD5 size";
        QTest::newRow("spread with tabs and spaces") << " " + kMd5.left(16) + "\t" + kMd5.mid(16) + " "
                                                     << "16"
                                                     << "MD5 size";
        QTest::newRow("no-break and other Unicode spaces")
            << kMd5.left(10) + "\u00a0" + kMd5.mid(10, 10) + "\u2003\u3000" + kMd5.mid(20) + "\u2028\u0085"
            << "16"
            << "MD5 size";
        QTest::newRow("other characters count") << "zz!!" + hex(28) << "16"
                                                << "MD5 size";
        QTest::newRow("zero-width space is no white space") << QString(32, QChar(0x200B)) << "16"
                                                            << "MD5 size";
    }
    void counter() {
        QFETCH(QString, entry);
        QFETCH(QString, count);
        QFETCH(QString, hint);
        FormVerify dialog;
        dialog.tbHashToVerify->setText(QStringLiteral("something before"));
        dialog.tbHashToVerify->setText(entry);
        QCOMPARE(dialog.getHash(), entry);
        QCOMPARE(dialog.lbVerifyBytes->text(), count);
        QCOMPARE(dialog.lbSize->text(), hint);
    }

    // How the dialog closes on Verify (button or Enter) by the entry's length.
    void verifyButton_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("enter");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("lengthMessage");
        QTest::newRow("empty") << "" << false << false << false;
        QTest::newRow("31") << QString(31, QLatin1Char('a')) << false << false << true;
        QTest::newRow("31 white") << QString(31, QLatin1Char(' ')) << false << false << true;
        QTest::newRow("32") << QString(32, QLatin1Char('a')) << false << true << false;
        QTest::newRow("32 white count too") << QString(32, QLatin1Char(' ')) << false << true << false;
        QTest::newRow("Enter, 32") << QString(32, QLatin1Char('a')) << true << true << false;
        QTest::newRow("Enter, 5") << QStringLiteral("abcde") << true << false << true;
    }
    void verifyButton() {
        QFETCH(QString, entry);
        QFETCH(bool, enter);
        QFETCH(bool, ok);
        QFETCH(bool, lengthMessage);
        FormVerify dialog;
        dialog.tbHashToVerify->setText(entry);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        if (enter) {
            QTest::keyClick(dialog.tbHashToVerify, Qt::Key_Return);
        } else {
            dialog.btVerify->click();
        }
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), ok ? int(QDialog::Accepted) : int(QDialog::Rejected));
        if (lengthMessage) {
            QCOMPARE(m_messages.size(), 1);
            QCOMPARE(m_messages[0].title, QString());
            QCOMPARE(m_messages[0].message, QStringLiteral("Hashes must have at least 16 bytes (32 characters)"));
        } else {
            QVERIFY(m_messages.isEmpty());
        }
    }

    void cancelAndEsc() {
        for (const bool esc : {false, true}) {
            FormVerify dialog;
            dialog.tbHashToVerify->setText(kMd5);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            if (esc) {
                QTest::keyClick(dialog.tbHashToVerify, Qt::Key_Escape);
            } else {
                dialog.btCancel->click();
            }
            QVERIFY(!dialog.isVisible());
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
        }
    }

    // The main window: the refusal, then the comparison with the boxes in their order.
    void compare_data() {
        QTest::addColumn<QStringList>("boxes"); // MD5, SHA-1, SHA-256, SHA-512
        QTest::addColumn<QString>("entry");     // null: the dialog is cancelled
        QTest::addColumn<QString>("title");     // null: no result window
        QTest::addColumn<QString>("message");

        const QStringList all{kMd5, kSha1, kSha256, kSha512};
        const QString noMatch = QStringLiteral("The hash you entered did not match with any of the calculated hashes");
        QTest::newRow("MD5 in lower case") << all << kMd5.toLower() << "Match!"
                                           << "Matches with MD5";
        QTest::newRow("SHA-1") << all << kSha1 << "Match!"
                               << "Matches with SHA1";
        QTest::newRow("SHA-256 mixed case") << all << kSha256.left(20).toLower() + kSha256.mid(20) << "Match!"
                                            << "Matches with SHA256";
        QTest::newRow("SHA-512") << all << kSha512.toLower() << "Match!"
                                 << "Matches with SHA512";
        QTest::newRow("trailing line break") << all << kMd5 + "\n"
                                             << "No match" << noMatch;
        QTest::newRow("trailing space") << all << kMd5 + " "
                                        << "No match" << noMatch;
        QTest::newRow("MD5 with only SHA-512 computed")
            << QStringList{"", "", "", kSha512} << kMd5 << "No match" << noMatch;
        QTest::newRow("33 characters") << all << kMd5 + "0"
                                       << "No match" << noMatch;
        QTest::newRow("first equal box decides")
            << QStringList{"", kSha1 + kSha1, kSha1 + kSha1, ""} << kSha1 + kSha1 << "Match!"
            << "Matches with SHA1";
        QTest::newRow("a failure text is compared as it is")
            << QStringList{"", "", "", "CANNOT OPEN FILE SOME-FILE.BIN: NO SUCH FILE"}
            << "Cannot open file some-file.bin: No such file"
            << "Match!"
            << "Matches with SHA512";
        QTest::newRow("cancelled") << all << QString() << QString() << QString();
        QTest::newRow("too short") << all << kMd5.left(31) << QString() << QString();
    }
    void compare() {
        QFETCH(QStringList, boxes);
        QFETCH(QString, entry);
        QFETCH(QString, title);
        QFETCH(QString, message);
        Form1 form({});
        QLineEdit* digestBoxes[] = {form.tbMD5, form.tbSHA1, form.tbSHA256, form.tbSHA512};
        for (int i = 0; i < 4; ++i) {
            digestBoxes[i]->setText(boxes[i]);
        }
        form.SetStatusLabel(QStringLiteral("Done"));
        int dialogs = 0;
        FormVerify::SetShowDialogForTesting([&](FormVerify& dialog) {
            ++dialogs;
            QCOMPARE(dialog.getHash(), QString());
            QCOMPARE(dialog.lbVerifyBytes->text(), QStringLiteral("0"));
            if (entry.isNull()) {
                dialog.btCancel->click();
                return;
            }
            dialog.btPaste->setFocus();
            QGuiApplication::clipboard()->setText(entry);
            dialog.btPaste->click();
            dialog.btVerify->click();
        });
        form.btTabSingleVerify->click();
        QCOMPARE(dialogs, 1);
        if (title.isNull()) {
            // Cancelled, or closed after the length message: no result window.
            for (const MessageRecord& shown : std::as_const(m_messages)) {
                QVERIFY(shown.title != QLatin1String("Match!") && shown.title != QLatin1String("No match"));
            }
        } else {
            QCOMPARE(m_messages.size(), 1);
            QCOMPARE(m_messages[0].title, title);
            QCOMPARE(m_messages[0].message, message);
        }
        QCOMPARE(form.toolStripStatusLabel->text(), QString());
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(digestBoxes[i]->text(), boxes[i]);
        }
    }

    void nothingToVerify() {
        Form1 form({});
        int dialogs = 0;
        FormVerify::SetShowDialogForTesting([&](FormVerify&) { ++dialogs; });
        form.btTabSingleVerify->click();
        QCOMPARE(dialogs, 0);
        QCOMPARE(form.toolStripStatusLabel->text(),
                 QStringLiteral("Nothing to verify against. Perform a hash operation first"));
        QVERIFY(m_messages.isEmpty());
    }

    // A digest that arrives while the dialog is open takes part in the comparison.
    void boxesReadAfterTheDialog() {
        Form1 form({});
        form.tbMD5->setText(kMd5);
        FormVerify::SetShowDialogForTesting([&](FormVerify& dialog) {
            form.tbSHA256->setText(kSha256);
            dialog.tbHashToVerify->setText(kSha256);
            dialog.btVerify->click();
        });
        form.btTabSingleVerify->click();
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].message, QStringLiteral("Matches with SHA256"));
    }

    // Each click makes a new dialog, so the entry starts empty every time.
    void freshDialogEachTime() {
        Form1 form({});
        form.tbMD5->setText(kMd5);
        QStringList entriesSeen;
        FormVerify::SetShowDialogForTesting([&](FormVerify& dialog) {
            entriesSeen << dialog.getHash() << dialog.lbSize->text();
            dialog.tbHashToVerify->setText(kMd5);
            dialog.btVerify->click();
        });
        form.btTabSingleVerify->click();
        form.btTabSingleVerify->click();
        QCOMPARE(entriesSeen, (QStringList{"", "", "", ""}));
        QCOMPARE(m_messages.size(), 2);
    }
};

QTEST_MAIN(TestVerify)
#include "tst_verify.moc"

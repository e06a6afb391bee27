// The message window: its texts, its size rule, its looks, and every way of closing it.
#include "FormMessageBox.h"

#include "Controls.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace quorvel;

class TestMessageBox : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { SetUpApplication(*qobject_cast<QApplication*>(QCoreApplication::instance())); }

    void texts_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");
        QTest::newRow("allocation") << "Bad memory allocation"
                                    << "Memory allocation failed. Program will abort";
        QTest::newRow("empty title") << ""
                                     << "Hashes must have at least 16 bytes (32 characters)";
        QTest::newRow("short") << "Match!"
                               << "Matches with MD5";
    }
    void texts() {
        QFETCH(QString, title);
        QFETCH(QString, message);
        FormMessageBox box(title, message);
        QCOMPARE(box.windowTitle(), title);
        QCOMPARE(box.lbMessage->text(), message + QStringLiteral("   "));
        QCOMPARE(box.btOK->text(), QStringLiteral("OK"));
        QCOMPARE(box.lbMessage->font().family(), QStringLiteral("Calibri"));
        QCOMPARE(box.lbMessage->font().pointSizeF(), 9.0);
        QCOMPARE(box.btOK->font().pointSizeF(), 11.25);
        QCOMPARE(box.font().pointSizeF(), 8.25);
        QVERIFY(qAbs(box.windowOpacity() - 0.95) < 0.005); // kept in 1/255 steps
        QCOMPARE(box.palette().color(QPalette::Window), QColor(Qt::white));
        QVERIFY(!box.windowIcon().isNull());
        QCOMPARE(box.lbMessage->pos(), QPoint(13, 22));
    }

    // Short messages keep the designed size; long ones widen the window to hold them on one line,
    // with the button still in the middle.
    void size_data() {
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("grows");
        QTest::newRow("short") << "Hi" << false;
        QTest::newRow("long") << "The hash you entered did not match with any of the calculated hashes" << true;
    }
    void size() {
        QFETCH(QString, message);
        QFETCH(bool, grows);
        FormMessageBox box(QStringLiteral("t"), message);
        QCOMPARE(box.height(), 94);
        if (grows) {
            QVERIFY(box.width() > 116);
            QVERIFY(box.lbMessage->geometry().right() < box.width());
            QCOMPARE(box.lbMessage->width(), box.lbMessage->sizeHint().width());
        } else {
            QCOMPARE(box.width(), 116);
            QCOMPARE(box.btOK->geometry(), QRect(30, 54, 56, 28));
        }
        const int centre = box.btOK->x() + box.btOK->width() / 2;
        QVERIFY(qAbs(centre - box.width() / 2) <= 1);
    }

    // OK, Enter, Esc and the close box all close it, and the caller goes on.
    void closing_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("OK") << "ok";
        QTest::newRow("Enter") << "enter";
        QTest::newRow("Esc") << "esc";
        QTest::newRow("close box") << "close";
    }
    void closing() {
        QFETCH(QString, how);
        FormMessageBox box(QStringLiteral("Match!"), QStringLiteral("Matches with SHA256"));
        bool acted = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            if (acted || !box.isVisible() || QApplication::activeModalWidget() != &box) {
                return;
            }
            acted = true;
            if (how == QStringLiteral("ok")) {
                QTest::mouseClick(box.btOK, Qt::LeftButton);
            } else if (how == QStringLiteral("enter")) {
                QTest::keyClick(&box, Qt::Key_Return);
            } else if (how == QStringLiteral("esc")) {
                QTest::keyClick(&box, Qt::Key_Escape);
            } else {
                box.close();
            }
        });
        poll.start(5);
        box.ShowDialog();
        QVERIFY(acted);
        QVERIFY(!box.isVisible());
    }
};

QTEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"

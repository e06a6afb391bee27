// Controls that show a picture and no caption still tell screen readers and the pointer what they
// do; the keyboard order of the single-file page holds with them.
#include "Form1.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using namespace quorvel;

class TestAccessibility : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { SetUpApplication(*qobject_cast<QApplication*>(QCoreApplication::instance())); }

    void pictureButtons_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("name");
        QTest::newRow("btCopyMD5") << "btCopyMD5"
                                   << "Copy MD5";
        QTest::newRow("btCopySHA1") << "btCopySHA1"
                                    << "Copy SHA-1";
        QTest::newRow("btCopySHA256") << "btCopySHA256"
                                      << "Copy SHA-256";
        QTest::newRow("btCopySHA512") << "btCopySHA512"
                                      << "Copy SHA-512";
        QTest::newRow("btTabManualCopy") << "btTabManualCopy"
                                         << "Copy result";
        QTest::newRow("tsCancel") << "tsCancel"
                                  << "Cancel";
    }
    void pictureButtons() {
        QFETCH(QString, button);
        QFETCH(QString, name);
        Form1 form({});
        auto* control = form.findChild<QAbstractButton*>(button);
        QVERIFY(control != nullptr);
        QCOMPARE(control->toolTip(), name);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        QVERIFY(accessible != nullptr);
        QCOMPARE(accessible->text(QAccessible::Name), name);
    }

    // No button of the window is left without a name a screen reader can say.
    void everyButtonHasAName() {
        Form1 form({});
        const QList<QAbstractButton*> buttons = form.findChildren<QAbstractButton*>();
        QVERIFY(buttons.size() >= 20);
        for (QAbstractButton* button : buttons) {
            if (button->objectName().startsWith("qt_")) {
                continue; // Qt's own, such as the menu bar's overflow button
            }
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
            QVERIFY(accessible != nullptr);
            QVERIFY2(!accessible->text(QAccessible::Name).trimmed().isEmpty(), qPrintable(button->objectName()));
        }
    }

    // Tab on the single-file page: Browse, the four algorithm buttons, the four copy buttons, Verify
    // and Save, skipping the path box and the digest boxes.
    void singleFileKeyboardOrder() {
        Form1 form({});
        form.show();
        QApplication::setActiveWindow(&form);
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.btTabSingleBrowse->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(form.btTabSingleBrowse));
        const QList<QWidget*> order{form.btTabSingleMD5,    form.btTabSingleSHA1, form.btTabSingleSHA256,
                                    form.btTabSingleSHA512, form.btCopyMD5,       form.btCopySHA1,
                                    form.btCopySHA256,      form.btCopySHA512,    form.btTabSingleVerify,
                                    form.btTabSingleSaveAll};
        for (QWidget* next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"

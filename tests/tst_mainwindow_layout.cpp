// The main window as built: every control by name with its kind, text, font, place, size and
// state, the keyboard order of each page, the status strip and the Help keys.
#include "Form1.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using namespace quorvel;

namespace {

enum Flag {
    None = 0,
    ReadOnly = 1,
    Disabled = 2,
    NoTabStop = 4,
    AutoSize = 8, // sizes itself to its text: only the place is fixed
    Centred = 16,
};

QString TextOf(QWidget* w) {
    if (auto* b = qobject_cast<QPushButton*>(w)) {
        return b->text();
    }
    if (auto* l = qobject_cast<QLabel*>(w)) {
        return l->text();
    }
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        return e->text();
    }
    if (auto* c = qobject_cast<QCheckBox*>(w)) {
        return c->text();
    }
    if (auto* r = qobject_cast<QPlainTextEdit*>(w)) {
        return r->toPlainText();
    }
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        return c->currentText();
    }
    return QString();
}

bool IsReadOnly(QWidget* w) {
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        return e->isReadOnly();
    }
    if (auto* r = qobject_cast<QPlainTextEdit*>(w)) {
        return r->isReadOnly();
    }
    return false;
}

// The colour a button shows at rest, away from its text.
QColor RestingColour(QWidget* w) {
    return w->window()->grab().toImage().pixelColor(w->mapTo(w->window(), QPoint(3, 3)));
}

} // namespace

class TestMainWindowLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { SetUpApplication(*qobject_cast<QApplication*>(QCoreApplication::instance())); }

    void window() {
        Form1 form({});
        QCOMPARE(form.objectName(), QStringLiteral("Form1"));
        QCOMPARE(form.windowTitle(), QStringLiteral("#uorvel"));
        QCOMPARE(form.size(), QSize(610, 351));
        QCOMPARE(form.minimumSize(), form.maximumSize()); // not resizable
        QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(form.windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(form.windowFlags() & Qt::WindowCloseButtonHint);
        QCOMPARE(form.palette().color(QPalette::Window), QColor(Qt::white));
        QVERIFY(form.acceptDrops());
        const QList<QSize> iconSizes = form.windowIcon().availableSizes();
        for (int px : {16, 32, 48, 64}) {
            QVERIFY2(iconSizes.contains(QSize(px, px)), qPrintable(QString::number(px)));
        }
        QCOMPARE(form.menuStrip1->geometry(), QRect(0, 0, 610, 24));
        QCOMPARE(form.statusStrip->geometry(), QRect(0, 325, 610, 26));
        QCOMPARE(form.tabControl->geometry(), QRect(0, 27, 613, 302));
        QCOMPARE(QFontInfo(form.tabControl->font()).family(), QStringLiteral("Carlito"));
    }

    void pages_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("acceptsDrops");
        QTest::newRow("single") << "tabSingle"
                                << "Single file"
                                << "Segoe UI" << true;
        QTest::newRow("multiple") << "tabMultiple"
                                  << "Multiple files"
                                  << "Segoe UI" << true;
        QTest::newRow("manual") << "tabManual"
                                << "Manual input"
                                << "Calibri" << false;
    }
    void pages() {
        QFETCH(QString, name);
        QFETCH(QString, title);
        QFETCH(QString, family);
        QFETCH(bool, acceptsDrops);
        Form1 form({});
        form.show();
        auto* page = form.findChild<QWidget*>(name);
        QVERIFY(page != nullptr);
        const int index = form.tabControl->indexOf(page);
        QCOMPARE(form.tabControl->tabText(index), title);
        QCOMPARE(form.tabControl->currentIndex(), 0);
        form.tabControl->setCurrentIndex(index);
        QCOMPARE(QRect(page->mapTo(form.tabControl, QPoint(0, 0)), page->size()), QRect(4, 23, 605, 275));
        QCOMPARE(page->font().family(), family);
        QCOMPARE(page->font().pointSizeF(), 9.0);
        if (acceptsDrops) {
            QVERIFY(page->acceptDrops());
        } // The manual-input page refuses drops; how, in Qt, is the drag-and-drop tests' matter.
    }

    void controls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parentName");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("family");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<int>("flags");

        auto row = [](const char* name, const char* parent, const char* kind, const char* text, const char* family,
                      double points, bool bold, QRect geometry, int flags) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(parent) << QString::fromLatin1(kind)
                                << QString::fromUtf8(text) << QString::fromLatin1(family) << points << bold << geometry
                                << flags;
        };
        // Single file.
        row("btTabSingleBrowse", "tabSingle", "QPushButton", "Browse File", "Calibri", 9.75, false, {258, 16, 89, 33},
            None);
        row("tbTabSingleFilePath", "tabSingle", "QLineEdit", "", "Consolas", 9.75, false, {1, 58, 600, 23},
            ReadOnly | Disabled | NoTabStop | Centred);
        row("btTabSingleMD5", "tabSingle", "QPushButton", "MD5", "Calibri", 8.25, false, {9, 106, 54, 23}, None);
        row("btTabSingleSHA1", "tabSingle", "QPushButton", "SHA-1", "Calibri", 8.25, false, {9, 135, 54, 23}, None);
        row("btTabSingleSHA256", "tabSingle", "QPushButton", "SHA-256", "Calibri", 8.25, false, {9, 164, 54, 23}, None);
        row("btTabSingleSHA512", "tabSingle", "QPushButton", "SHA-512", "Calibri", 8.25, false, {9, 193, 54, 23}, None);
        row("tbMD5", "tabSingle", "QLineEdit", "", "Consolas", 9, false, {74, 107, 489, 22}, ReadOnly | NoTabStop);
        row("tbSHA1", "tabSingle", "QLineEdit", "", "Consolas", 9, false, {74, 138, 489, 22}, ReadOnly | NoTabStop);
        row("tbSHA256", "tabSingle", "QLineEdit", "", "Consolas", 9, false, {74, 167, 489, 22}, ReadOnly | NoTabStop);
        row("tbSHA512", "tabSingle", "QLineEdit", "", "Consolas", 9, false, {74, 193, 489, 22}, ReadOnly | NoTabStop);
        row("btCopyMD5", "tabSingle", "QPushButton", "", "Segoe UI", 9, false, {571, 104, 24, 24}, None);
        row("btCopySHA1", "tabSingle", "QPushButton", "", "Segoe UI", 9, false, {571, 134, 24, 24}, None);
        row("btCopySHA256", "tabSingle", "QPushButton", "", "Segoe UI", 9, false, {571, 164, 24, 24}, None);
        row("btCopySHA512", "tabSingle", "QPushButton", "", "Segoe UI", 9, false, {571, 190, 24, 24}, None);
        row("btTabSingleVerify", "tabSingle", "QPushButton", "Verify", "Calibri", 9.75, false, {9, 233, 54, 23}, None);
        row("btTabSingleSaveAll", "tabSingle", "QPushButton", "Save all to text file", "Calibri", 9.75, false,
            {236, 228, 133, 32}, None);
        // Multiple files.
        row("btTabMutipleBrowse", "tabMultiple", "QPushButton", "Browse Files", "Calibri", 9.75, false,
            {258, 16, 89, 33}, None);
        row("tbTabMultipleFilePath", "tabMultiple", "QLineEdit", "", "Consolas", 9.75, false, {1, 58, 600, 23},
            ReadOnly | Disabled | NoTabStop | Centred);
        row("labelTabMultipleChoose", "tabMultiple", "QLabel", "Choose hash:", "Calibri", 9.75, true, {42, 100, 79, 15},
            AutoSize | NoTabStop);
        row("cbTabMultiple", "tabMultiple", "QComboBox", "MD5", "Calibri", 8.25, false, {127, 99, 85, 21}, None);
        row("btTabMutipleCalculate", "tabMultiple", "QPushButton", "Calculate", "Calibri", 9.75, false,
            {258, 91, 89, 33}, None);
        row("rtbTabMultiple", "tabMultiple", "QPlainTextEdit", "", "Consolas", 9, false, {8, 136, 496, 132},
            ReadOnly | NoTabStop);
        row("btTabMultipleCopy", "tabMultiple", "QPushButton", "Copy to clipboard", "Calibri", 9.75, false,
            {515, 136, 76, 41}, None);
        row("btTabMultipleSaveAs", "tabMultiple", "QPushButton", "Save as text file", "Calibri", 9.75, false,
            {515, 181, 76, 41}, None);
        row("btTabMultipleOpenNotepad", "tabMultiple", "QPushButton", "Open in notepad", "Calibri", 9.75, false,
            {515, 227, 76, 41}, None);
        // Manual input.
        row("label1", "tabManual", "QLabel",
            "Input bytes in ASC representation of hexadecimal (2 characters per byte):", "Calibri", 9.75, false,
            {101, 6, 405, 15}, AutoSize | NoTabStop);
        row("rtbTabManualInput", "tabManual", "QPlainTextEdit", "", "Consolas", 8.25, false, {6, 24, 595, 105}, None);
        row("checkBoxTabManual", "tabManual", "QCheckBox", "Automatic calculation", "Calibri", 9, false,
            {20, 137, 143, 18}, AutoSize);
        row("labelTabManualChoose", "tabManual", "QLabel", "Choose hash:", "Calibri", 9.75, true, {175, 137, 79, 15},
            AutoSize | NoTabStop);
        row("cbTabManual", "tabManual", "QComboBox", "MD5", "Calibri", 8.25, false, {260, 135, 85, 21}, None);
        row("lbTabManualBytes", "tabManual", "QLabel", "0", "Consolas", 9, true, {562, 137, 14, 14},
            AutoSize | NoTabStop);
        row("btTabManualCalculate", "tabManual", "QPushButton", "Calculate", "Calibri", 9.75, false, {258, 174, 89, 33},
            None);
        row("labelTabManualResult", "tabManual", "QLabel", "Result:", "Calibri", 9, false, {13, 229, 45, 14},
            AutoSize | NoTabStop);
        row("tbTabManualResult", "tabManual", "QLineEdit", "", "Consolas", 9, false, {64, 227, 496, 22},
            ReadOnly | NoTabStop);
        row("btTabManualCopy", "tabManual", "QPushButton", "", "Calibri", 9, false, {566, 224, 24, 24}, None);
    }
    void controls() {
        QFETCH(QString, name);
        QFETCH(QString, parentName);
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(QString, family);
        QFETCH(double, points);
        QFETCH(bool, bold);
        QFETCH(QRect, geometry);
        QFETCH(int, flags);

        Form1 form({});
        auto* w = form.findChild<QWidget*>(name);
        QVERIFY2(w != nullptr, qPrintable(name));
        QVERIFY2(w->inherits(kind.toLatin1().constData()), w->metaObject()->className());
        QCOMPARE(w->parentWidget()->objectName(), parentName);
        QCOMPARE(TextOf(w), text);
        QCOMPARE(w->font().family(), family);
        QCOMPARE(w->font().pointSizeF(), points);
        QCOMPARE(w->font().bold(), bold);
        if (flags & AutoSize) {
            QCOMPARE(w->pos(), geometry.topLeft());
            QCOMPARE(w->size(), w->sizeHint());
        } else {
            QCOMPARE(w->geometry(), geometry);
        }
        QCOMPARE(w->isEnabled(), !(flags & Disabled));
        QCOMPARE(IsReadOnly(w), bool(flags & ReadOnly));
        QCOMPARE(bool(w->focusPolicy() & Qt::TabFocus), !(flags & NoTabStop) && !(flags & Disabled));
        if (auto* e = qobject_cast<QLineEdit*>(w)) {
            QCOMPARE(bool(e->alignment() & Qt::AlignHCenter), bool(flags & Centred));
        }
    }

    // The buttons' colours follow their roles.
    void buttonColours_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QColor>("colour");
        const QColor green(192, 255, 192);
        const QColor yellow(255, 255, 192);
        const QColor white(255, 255, 255);
        for (const char* n : {"btTabSingleMD5", "btTabSingleSHA1", "btTabSingleSHA256", "btTabSingleSHA512",
                              "btTabMutipleCalculate", "btTabManualCalculate"}) {
            QTest::newRow(n) << QString::fromLatin1(n) << green;
        }
        for (const char* n :
             {"btTabSingleSaveAll", "btTabMultipleCopy", "btTabMultipleSaveAs", "btTabMultipleOpenNotepad"}) {
            QTest::newRow(n) << QString::fromLatin1(n) << yellow;
        }
        for (const char* n : {"btCopyMD5", "btCopySHA1", "btCopySHA256", "btCopySHA512", "btTabManualCopy"}) {
            QTest::newRow(n) << QString::fromLatin1(n) << white;
        }
        QTest::newRow("btTabSingleVerify (transparent on the white page)") << "btTabSingleVerify" << white;
    }
    void buttonColours() {
        QFETCH(QString, name);
        QFETCH(QColor, colour);
        Form1 form({});
        form.show();
        auto* w = form.findChild<QPushButton*>(name);
        QVERIFY(w != nullptr);
        form.tabControl->setCurrentWidget(w->parentWidget());
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(RestingColour(w).rgb(), colour.rgb());
    }

    void comboBoxes() {
        Form1 form({});
        for (QComboBox* combo : {form.cbTabMultiple, form.cbTabManual}) {
            QCOMPARE(combo->count(), 6);
            QCOMPARE(combo->itemText(0), QStringLiteral("MD5"));
            QCOMPARE(combo->itemText(5), QStringLiteral("SHA-512"));
            QVERIFY(!combo->isEditable());
        }
        QCOMPARE(form.rtbTabManualInput->MaxLength, 6143);
        QVERIFY(form.checkBoxTabManual->isChecked());
        QCOMPARE(form.lbTabManualBytes->palette().color(QPalette::WindowText), QColor(0, 192, 0));
    }

    void statusStrip() {
        Form1 form({});
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto at = [&](QWidget* w) {
            return QRect(w->mapTo(form.statusStrip, QPoint(0, 0)), w->size());
        };
        const QRect label = at(form.toolStripStatusLabel);
        const QRect cancel = at(form.tsCancel);
        const QRect bar = at(form.tsProgressBar);
        QVERIFY(label.right() < cancel.left());
        QVERIFY(cancel.right() < bar.left());
        QCOMPARE(bar.right() + 1, 610); // at the right end of the strip
        QCOMPARE(cancel.size(), QSize(36, 24));
        QCOMPARE(bar.size(), QSize(200, 20));
        QCOMPARE(bar.top(), 3);
        // The status line takes every pixel the other two leave.
        QVERIFY(label.width() > 300);
        QCOMPARE(form.toolStripStatusLabel->text(), QString());
        QCOMPARE(form.toolStripStatusLabel->alignment(), Qt::AlignLeft | Qt::AlignVCenter);
        QCOMPARE(form.tsCancel->text(), QStringLiteral("Options"));
        QCOMPARE(form.tsCancel->toolButtonStyle(), Qt::ToolButtonIconOnly);
        QCOMPARE(form.tsCancel->popupMode(), QToolButton::MenuButtonPopup);
        QVERIFY(!form.tsCancel->icon().isNull());
        QCOMPARE(form.tsCancel->menu()->actions(), QList<QAction*>{form.tsiCancel});
        QCOMPARE(form.tsiCancel->text(), QStringLiteral("Cancel"));
        QCOMPARE(form.tsiCancel->font().family(), QStringLiteral("Calibri"));
        QVERIFY(!form.tsiCancel->icon().isNull());
        QCOMPARE(form.tsProgressBar->minimum(), 0);
        QCOMPARE(form.tsProgressBar->maximum(), 100);
        QCOMPARE(form.tsProgressBar->value(), 0);
    }

    void menu() {
        Form1 form({});
        const QList<QAction*> top = form.menuStrip1->actions();
        QCOMPARE(top.size(), 1);
        QCOMPARE(top.first()->text(), QStringLiteral("Help"));
        QStringList items;
        for (QAction* a : form.aboutToolStripMenuItem->actions()) {
            items << a->objectName() + QLatin1Char('=') + a->text();
            QVERIFY2(a->shortcut().isEmpty(), "the menu shows no key"); // the keys live in window shortcuts
        }
        QCOMPARE(items, (QStringList{QStringLiteral("aboutToolStripMenuItem1=About"),
                                     QStringLiteral("donateToolStripMenuItem=Donate"),
                                     QStringLiteral("websiteToolStripMenuItem=Website")}));
        QStringList ctx;
        for (QAction* a : form.ctxMenu->actions()) {
            ctx << a->objectName() + QLatin1Char('=') + a->text();
        }
        QCOMPARE(ctx, (QStringList{QStringLiteral("ctxMenuClear=Clear"), QStringLiteral("ctxMenuPaste=Paste")}));
        QCOMPARE(form.rtbTabManualInput->contextMenuPolicy(), Qt::CustomContextMenu);
    }

    // F12 and F10 reach About and Website from every page.
    void helpKeys_data() {
        QTest::addColumn<int>("page");
        QTest::newRow("single") << 0;
        QTest::newRow("multiple") << 1;
        QTest::newRow("manual") << 2;
    }
    void helpKeys() {
        QFETCH(int, page);
        Form1 form({});
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.tabControl->setCurrentIndex(page);
        // Only the keys' way to the menu items is looked at here: the windows and the browser that the
        // items open are left out.
        QObject::disconnect(form.aboutToolStripMenuItem1, &QAction::triggered, &form, nullptr);
        QObject::disconnect(form.websiteToolStripMenuItem, &QAction::triggered, &form, nullptr);
        QSignalSpy about(form.aboutToolStripMenuItem1, &QAction::triggered);
        QSignalSpy website(form.websiteToolStripMenuItem, &QAction::triggered);
        QWidget* target = form.tabControl->currentWidget()->focusWidget();
        QTest::keyClick(target != nullptr ? target : form.tabControl->currentWidget(), Qt::Key_F12);
        QCOMPARE(about.count(), 1);
        QCOMPARE(website.count(), 0);
        QTest::keyClick(target != nullptr ? target : form.tabControl->currentWidget(), Qt::Key_F10);
        QCOMPARE(website.count(), 1);
    }

    // Tab walks each page's controls in their order, skipping the boxes that are no tab stops.
    void tabOrder_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("single") << 0 << QStringList{"btTabSingleBrowse", "btTabSingleMD5",    "btTabSingleSHA1",
                                                    "btTabSingleSHA256", "btTabSingleSHA512", "btCopyMD5",
                                                    "btCopySHA1",        "btCopySHA256",      "btCopySHA512",
                                                    "btTabSingleVerify", "btTabSingleSaveAll"};
        QTest::newRow("multiple") << 1 << QStringList{"btTabMutipleBrowse",    "cbTabMultiple",
                                                      "btTabMutipleCalculate", "btTabMultipleCopy",
                                                      "btTabMultipleSaveAs",   "btTabMultipleOpenNotepad"};
        QTest::newRow("manual") << 2
                                << QStringList{"rtbTabManualInput", "cbTabManual", "checkBoxTabManual",
                                               "btTabManualCalculate", "btTabManualCopy"};
    }
    void tabOrder() {
        QFETCH(int, page);
        QFETCH(QStringList, order);
        Form1 form({});
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.tabControl->setCurrentIndex(page);
        auto* first = form.findChild<QWidget*>(order.first());
        first->setFocus(Qt::TabFocusReason);
        QStringList seen{QApplication::focusWidget()->objectName()};
        for (qsizetype i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(seen, order);
    }
};

QTEST_MAIN(TestMainWindowLayout)
#include "tst_mainwindow_layout.moc"

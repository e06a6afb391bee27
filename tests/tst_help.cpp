// The Help menu and the About window: the keys F12 and F10 from every page, the About window's
// lines for each work buffer size, its text and its closing, and the web site handed to the
// desktop, or the word that no browser could be started.
#include "Desktop.h"
#include "Form1.h"
#include "FormAboutEx.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

using namespace quorvel;

namespace {

// A work buffer no larger than limit bytes can be had.
Form1::BufferAllocator AllocateUpTo(int32_t limit) {
    return [limit](int32_t size) -> unsigned char* {
        return size <= limit ? new unsigned char[static_cast<size_t>(size)] : nullptr;
    };
}

// What the About window showed when the menu opened it.
struct AboutSeen {
    int shown = 0;
    QString productLine;
    QString chunkLine;
};

} // namespace

class TestHelp : public QObject {
    Q_OBJECT
    AboutSeen m_about;
    QList<QUrl> m_opened;
    bool m_browserStarts = true;

private Q_SLOTS:
    void initTestCase() {
        SetUpApplication(*qobject_cast<QApplication*>(QCoreApplication::instance()));
        FormAboutEx::SetShowDialogForTesting([this](FormAboutEx& about) {
            ++m_about.shown;
            m_about.productLine = about.label1->text();
            m_about.chunkLine = about.label3->text();
            about.btOK->click();
        });
        Desktop::SetOpenUrlForTesting([this](const QUrl& url) {
            m_opened << url;
            return m_browserStarts;
        });
    }
    void init() {
        m_about = {};
        m_opened.clear();
        m_browserStarts = true;
    }
    void cleanupTestCase() {
        FormAboutEx::SetShowDialogForTesting({});
        Desktop::SetOpenUrlForTesting({});
    }

    void chunkSizeLine_data() {
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("line");
        QTest::newRow("131072 bytes") << 131072 << "using chunk size of 128 kb";
        QTest::newRow("65536 bytes") << 65536 << "using chunk size of 64 kb";
        QTest::newRow("4096 bytes") << 4096 << "using chunk size of 4 kb";
    }
    void chunkSizeLine() {
        QFETCH(int, limit);
        QFETCH(QString, line);
        Form1 form({}, AllocateUpTo(limit));
        form.aboutToolStripMenuItem1->trigger();
        QCOMPARE(m_about.shown, 1);
        QCOMPARE(m_about.productLine, QString("Quorvel | Version 1.0 | Oct 2015"));
        QCOMPARE(m_about.chunkLine, line);
    }

    // The constructor writes whatever it is given; the label keeps to one line and grows with it.
    void chunkSizeLineFromTheConstructor() {
        FormAboutEx about(1048576);
        QCOMPARE(about.label3->text(), QString("using chunk size of 1048576 kb"));
        QVERIFY(about.label3->width() >= about.label3->sizeHint().width());
    }

    void layout() {
        FormAboutEx about(128);
        QCOMPARE(about.windowTitle(), QString("About"));
        QCOMPARE(about.size(), QSize(386, 270));
        QCOMPARE(about.minimumSize(), about.maximumSize());
        QCOMPARE(about.label1->pos(), QPoint(12, 22));
        QCOMPARE(about.label3->pos(), QPoint(223, 22));
        QCOMPARE(about.label3->text(), QString("using chunk size of 128 kb"));
        QCOMPARE(about.richTextBox1->geometry(), QRect(15, 52, 356, 167));
        QVERIFY(about.richTextBox1->isReadOnly());
        QCOMPARE(about.btOK->geometry(), QRect(161, 233, 65, 28));
        QCOMPARE(about.btOK->text(), QString("OK"));
        QVERIFY(about.btOK->isDefault());
        QCOMPARE(about.palette().color(QPalette::Window), QColor(Qt::white));
    }

    // The text from the resources, its address shown as a link that goes nowhere.
    void aboutText() {
        const QString text = FormAboutEx::AboutText();
        QVERIFY(text.contains("Copyright"));
        QVERIFY(text.contains("quorvel@example.org"));
        QVERIFY(text.contains("MIT licence"));
        FormAboutEx about(128);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QCOMPARE(about.richTextBox1->toPlainText(), text);
        const QString html = about.richTextBox1->toHtml();
        QVERIFY2(html.contains("href=\"http://quorvel.example.org/\""), qPrintable(html));

        // A click on the link: nothing opens and the text stays.
        QTextDocument* document = about.richTextBox1->document();
        const QTextCursor link = document->find("http://quorvel.example.org/");
        QVERIFY(!link.isNull());
        QTextCursor inside(document);
        inside.setPosition(link.selectionStart() + 3);
        const QPoint at = about.richTextBox1->cursorRect(inside).center();
        QCOMPARE(about.richTextBox1->anchorAt(at), QString("http://quorvel.example.org/"));
        QTest::mouseClick(about.richTextBox1->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(m_opened.isEmpty());
        QCOMPARE(about.richTextBox1->toPlainText(), text);
        QVERIFY(about.richTextBox1->source().isEmpty());
        QVERIFY(about.isVisible());
    }

    void closing_data() {
        QTest::addColumn<int>("how"); // 0 the button, 1 Enter, 2 Esc
        QTest::newRow("OK") << 0;
        QTest::newRow("Enter") << 1;
        QTest::newRow("Esc") << 2;
    }
    void closing() {
        QFETCH(int, how);
        FormAboutEx about(64);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QApplication::setActiveWindow(&about);
        QVERIFY(QTest::qWaitForWindowActive(&about));
        QCOMPARE(QApplication::focusWidget(), about.btOK);
        if (how == 0) {
            QTest::mouseClick(about.btOK, Qt::LeftButton);
        } else {
            QTest::keyClick(QApplication::focusWidget(), how == 1 ? Qt::Key_Return : Qt::Key_Escape);
        }
        QTRY_VERIFY(!about.isVisible());
    }

    // F12 and F10 from every page, whichever control has the focus, though the menu shows neither.
    void keysFromEveryPage_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("focus");
        QTest::newRow("single file") << 0 << "btTabSingleSHA256";
        QTest::newRow("multiple files") << 1 << "cbTabMultiple";
        QTest::newRow("manual input, typing") << 2 << "rtbTabManualInput";
        QTest::newRow("manual input, check box") << 2 << "checkBoxTabManual";
    }
    void keysFromEveryPage() {
        QFETCH(int, page);
        QFETCH(QString, focus);
        Form1 form({});
        form.show();
        QApplication::setActiveWindow(&form);
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.tabControl->setCurrentIndex(page);
        auto* control = form.findChild<QWidget*>(focus);
        QVERIFY(control != nullptr);
        control->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), control);

        QTest::keyClick(control, Qt::Key_F12);
        QCOMPARE(m_about.shown, 1);
        QCOMPARE(m_about.chunkLine, QString("using chunk size of 128 kb"));
        QVERIFY(m_opened.isEmpty());

        QTest::keyClick(control, Qt::Key_F10);
        QCOMPARE(m_opened, QList<QUrl>{QUrl("http://quorvel.example.org/")});
        QCOMPARE(m_about.shown, 1);
        QCOMPARE(form.tabControl->currentIndex(), page);
        QCOMPARE(form.toolStripStatusLabel->text(), QString());
        if (focus == "rtbTabManualInput") {
            QCOMPARE(form.rtbTabManualInput->toPlainText(), QString());
        }
        // Neither key is shown in the menu.
        for (QAction* item : form.aboutToolStripMenuItem->actions()) {
            QVERIFY(item->shortcut().isEmpty());
        }
    }

    void menuItems_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("browserStarts");
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("status");
        const QString noBrowser = "No web browser could be started";
        QTest::newRow("Website") << "websiteToolStripMenuItem" << true << "http://quorvel.example.org/"
                                 << "";
        QTest::newRow("Donate") << "donateToolStripMenuItem" << true << "http://quorvel.example.org/#donate"
                                << "";
        QTest::newRow("Website, no browser")
            << "websiteToolStripMenuItem" << false << "http://quorvel.example.org/" << noBrowser;
        QTest::newRow("Donate, no browser")
            << "donateToolStripMenuItem" << false << "http://quorvel.example.org/#donate" << noBrowser;
    }
    void menuItems() {
        QFETCH(QString, item);
        QFETCH(bool, browserStarts);
        QFETCH(QString, url);
        QFETCH(QString, status);
        m_browserStarts = browserStarts;
        Form1 form({});
        auto* action = form.findChild<QAction*>(item);
        QVERIFY(action != nullptr);
        QVERIFY(form.aboutToolStripMenuItem->actions().contains(action));
        action->trigger();
        QCOMPARE(m_opened, QList<QUrl>{QUrl(url)});
        QCOMPARE(m_opened.first().scheme(), QString("http"));
        QCOMPARE(form.toolStripStatusLabel->text(), status);
        QCOMPARE(m_about.shown, 0);
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"

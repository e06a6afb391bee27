// Files dragged onto the window: which drags are offered a drop, and what a drop does to the two
// selections, the tabs, the result fields and the status line. The drags are delivered to each of
// the four drop targets, and through the window's own routing to points all over each page.
#include "Form1.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <condition_variable>
#include <mutex>
#include <stdexcept>

using namespace quorvel;

namespace {

const Qt::DropActions kOffered = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;

// How a test drag is made: a file list of these names ("@name" is the name in the test folder), or
// text, or both, or nothing.
struct DragContent {
    bool hasFileList = true;
    QStringList names;
    QString text;
    QStringList otherUrls; // non-file addresses in the list
};

// Data whose file list cannot be read: the source failed while handing it over.
class FailingMimeData : public QMimeData {
public:
    explicit FailingMimeData(std::string message) : m_message(std::move(message)) {
        setUrls({QUrl::fromLocalFile("/tmp/anything")});
    }

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override {
        if (mimeType == "text/uri-list") {
            throw std::runtime_error(m_message);
        }
        return QMimeData::retrieveData(mimeType, type);
    }

private:
    std::string m_message;
};

// The real digest, held in its first update step until the test opens the gate.
struct Gate {
    std::mutex mutex;
    std::condition_variable opened;
    bool open = false;
    bool entered = false;
};

class GatedDigest : public StreamingDigest {
public:
    GatedDigest(EAlgorithm alg, Gate& gate) : m_inner(MakeEvpDigest(alg)), m_gate(gate) {}
    int Init() override { return m_inner->Init(); }
    int Update(const unsigned char* data, size_t length) override {
        std::unique_lock<std::mutex> lock(m_gate.mutex);
        m_gate.entered = true;
        m_gate.opened.wait(lock, [this] { return m_gate.open; });
        lock.unlock();
        return m_inner->Update(data, length);
    }
    int Final(unsigned char* digest) override { return m_inner->Final(digest); }

private:
    std::unique_ptr<StreamingDigest> m_inner;
    Gate& m_gate;
};

} // namespace

Q_DECLARE_METATYPE(DragContent)

class TestDragDrop : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    const QStringList kEarlierList{"/earlier/a.txt", "/earlier/b.txt"};
    const QString kEarlierFile = "/earlier/single.txt";

    QString Path(const QString& name) const { return name.startsWith('@') ? m_dir.filePath(name.mid(1)) : name; }
    QStringList Paths(const QStringList& names) const {
        QStringList paths;
        for (const QString& name : names) {
            paths << Path(name);
        }
        return paths;
    }

    std::unique_ptr<QMimeData> MakeData(const DragContent& drag) const {
        auto data = std::make_unique<QMimeData>();
        if (drag.hasFileList) {
            QList<QUrl> urls;
            for (const QString& path : Paths(drag.names)) {
                urls << QUrl::fromLocalFile(path);
            }
            for (const QString& url : drag.otherUrls) {
                urls << QUrl(url);
            }
            data->setUrls(urls);
        }
        if (!drag.text.isEmpty()) {
            data->setText(drag.text);
        }
        return data;
    }

    // A window with a selection on both file pages, results in every field and a status text, so
    // that whatever a drag changes shows.
    void GiveEarlierState(Form1& form) const {
        form.TabSingleOpenFileDialog.FileName = kEarlierFile;
        form.tbTabSingleFilePath->setText(kEarlierFile);
        for (QLineEdit* box : {form.tbMD5, form.tbSHA1, form.tbSHA256, form.tbSHA512}) {
            box->setText("EARLIER");
        }
        form.TabMultipleOpenFileDialog.Tag = QVariant::fromValue(kEarlierList);
        form.tbTabMultipleFilePath->setText("2 files selected");
        form.rtbTabMultiple->setPlainText("earlier report");
        form.tsProgressBar->setValue(57);
        form.SetStatusLabel("earlier status");
        form.tabControl->setCurrentIndex(2);
    }

    static QList<QWidget*> Targets(Form1& form) {
        return {&form, form.tabSingle, form.tbTabSingleFilePath, form.tabMultiple};
    }

    // Delivers the drag's entry to target; true when it was offered a link.
    static bool Enter(QWidget* target, const QMimeData* data) {
        QDragEnterEvent enter(QPoint(5, 5), kOffered, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        if (enter.isAccepted() && enter.dropAction() != Qt::LinkAction) {
            qWarning("accepted with an action other than link: %d", int(enter.dropAction()));
            return false;
        }
        return enter.isAccepted();
    }
    // Delivers a drop on target as Qt does: after an entry, to the widget that took the entry. A
    // drop whose entry was refused never comes from Qt; the handler is given it directly.
    static void Drop(Form1& form, QWidget* target, const QMimeData* data) {
        QDropEvent drop(QPointF(5, 5), kOffered, data, Qt::LeftButton, Qt::NoModifier);
        if (Enter(target, data)) {
            QCoreApplication::sendEvent(target, &drop);
            QVERIFY(drop.isAccepted());
            QCOMPARE(drop.dropAction(), Qt::LinkAction);
        } else {
            form.Drag_OnDrop(target, &drop);
        }
    }

private Q_SLOTS:
    void initTestCase() {
        SetUpApplication(*qobject_cast<QApplication*>(QCoreApplication::instance()));
        QVERIFY(m_dir.isValid());
        for (const char* name : {"a.txt", "b.txt", "c.txt", "x.lnk", "x.LNK", "x.Lnk", "noext"}) {
            QFile file(m_dir.filePath(QLatin1String(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QVERIFY(QDir(m_dir.path()).mkdir("folder"));
        QVERIFY(QDir(m_dir.path()).mkdir("folder.txt"));
    }

    // The entry check: which drags may be dropped, and what the status line says then.
    void entry_data() {
        QTest::addColumn<DragContent>("drag");
        QTest::addColumn<bool>("offered");
        QTest::addColumn<QString>("status");

        const QString unchanged = "earlier status";
        const QString analyzing = "Error analyzing files";
        QTest::newRow("one file") << DragContent{true, {"@a.txt"}, {}, {}} << true << unchanged;
        QTest::newRow("three files") << DragContent{true, {"@a.txt", "@b.txt", "@c.txt"}, {}, {}} << true << unchanged;
        QTest::newRow("a directory among files")
            << DragContent{true, {"@a.txt", "@b.txt", "@folder"}, {}, {}} << false << unchanged;
        QTest::newRow("a directory first") << DragContent{true, {"@folder", "@a.txt"}, {}, {}} << false << unchanged;
        QTest::newRow("a directory named like a file")
            << DragContent{true, {"@folder.txt"}, {}, {}} << false << unchanged;
        QTest::newRow("x.lnk") << DragContent{true, {"@x.lnk"}, {}, {}} << false << unchanged;
        QTest::newRow("x.lnk among files") << DragContent{true, {"@a.txt", "@x.lnk"}, {}, {}} << false << unchanged;
        QTest::newRow("x.LNK is a file") << DragContent{true, {"@x.LNK"}, {}, {}} << true << unchanged;
        QTest::newRow("x.Lnk is a file") << DragContent{true, {"@x.Lnk", "@noext"}, {}, {}} << true << unchanged;
        QTest::newRow("a missing x.lnk is still a shortcut")
            << DragContent{true, {"@gone.lnk"}, {}, {}} << false << unchanged;
        QTest::newRow("a vanished file") << DragContent{true, {"@gone.txt"}, {}, {}} << true << unchanged;
        QTest::newRow("text only") << DragContent{false, {}, "dragged words", {}} << false << analyzing;
        QTest::newRow("nothing at all") << DragContent{false, {}, {}, {}} << false << analyzing;
        QTest::newRow("files with their paths as text too")
            << DragContent{true, {"@a.txt"}, m_dir.filePath("a.txt"), {}} << true << unchanged;
        QTest::newRow("a web address") << DragContent{true, {}, {}, {"http://quorvel.example.org/"}} << false
                                       << analyzing;
        QTest::newRow("an empty file list") << DragContent{true, {}, {}, {}} << true << unchanged;
    }
    void entry() {
        QFETCH(DragContent, drag);
        QFETCH(bool, offered);
        QFETCH(QString, status);
        Form1 form({});
        form.show();
        const std::unique_ptr<QMimeData> data = MakeData(drag);
        for (QWidget* target : Targets(form)) {
            GiveEarlierState(form);
            QCOMPARE(Enter(target, data.get()), offered);
            QCOMPARE(form.toolStripStatusLabel->text(), status);
            // The entry only judges; nothing is selected yet.
            QCOMPARE(form.TabSingleOpenFileDialog.FileName, kEarlierFile);
            QCOMPARE(form.TabMultipleOpenFileDialog.Tag.value<QStringList>(), kEarlierList);
            QCOMPARE(form.tabControl->currentIndex(), 2);
        }
    }

    // Only a link is offered back. A source that does not allow one is refused: accepting it would
    // answer with the source's own copy or move, and a source told "moved" may delete its files.
    void onlyALink_data() {
        QTest::addColumn<int>("allowed"); // Qt::DropActions
        QTest::addColumn<bool>("offered");
        QTest::newRow("copy, move or link") << int(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction) << true;
        QTest::newRow("link only") << int(Qt::LinkAction) << true;
        QTest::newRow("copy or link") << int(Qt::CopyAction | Qt::LinkAction) << true;
        QTest::newRow("copy or move") << int(Qt::CopyAction | Qt::MoveAction) << false;
        QTest::newRow("move only") << int(Qt::MoveAction) << false;
        QTest::newRow("copy only") << int(Qt::CopyAction) << false;
    }
    void onlyALink() {
        QFETCH(int, allowed);
        QFETCH(bool, offered);
        Form1 form({});
        const std::unique_ptr<QMimeData> data = MakeData(DragContent{true, {"@a.txt", "@b.txt"}, {}, {}});
        for (QWidget* target : Targets(form)) {
            GiveEarlierState(form);
            QDragEnterEvent enter(QPoint(5, 5), Qt::DropActions(allowed), data.get(), Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(target, &enter);
            QCOMPARE(enter.isAccepted(), offered);
            if (offered) {
                QCOMPARE(enter.dropAction(), Qt::LinkAction);
            }
            QCOMPARE(form.toolStripStatusLabel->text(), QString("earlier status"));
        }
    }

    // The drop of a drag that was offered one, on each target: the tab, both selections, the count
    // text, the result fields and the status line.
    void drop_data() {
        QTest::addColumn<DragContent>("drag");
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("singleSelection");
        QTest::addColumn<QStringList>("multipleSelection");
        QTest::addColumn<QString>("countText");
        QTest::addColumn<QString>("status");

        const QString unchanged = "earlier status";
        QTest::newRow("one file") << DragContent{true, {"@a.txt"}, {}, {}} << 0 << "@a.txt" << kEarlierList
                                  << "2 files selected" << unchanged;
        QTest::newRow("one vanished file") << DragContent{true, {"@gone.txt"}, {}, {}} << 0 << "@gone.txt"
                                           << kEarlierList << "2 files selected" << unchanged;
        QTest::newRow("x.LNK") << DragContent{true, {"@x.LNK"}, {}, {}} << 0 << "@x.LNK" << kEarlierList
                               << "2 files selected" << unchanged;
        QTest::newRow("three files") << DragContent{true, {"@c.txt", "@a.txt", "@b.txt"}, {}, {}} << 1 << kEarlierFile
                                     << QStringList{"@c.txt", "@a.txt", "@b.txt"} << "3 files selected" << unchanged;
        QTest::newRow("the same file twice") << DragContent{true, {"@a.txt", "@a.txt"}, {}, {}} << 1 << kEarlierFile
                                             << QStringList{"@a.txt", "@a.txt"} << "2 files selected" << unchanged;
        QTest::newRow("an empty file list")
            << DragContent{true, {}, {}, {}} << 1 << kEarlierFile << QStringList{} << "0 files selected" << unchanged;
        // Drops that arrive without a usable file list change nothing but the status line.
        QTest::newRow("text only") << DragContent{false, {}, "dragged words", {}} << 2 << kEarlierFile << kEarlierList
                                   << "2 files selected"
                                   << "Error dropping file: no data present";
        QTest::newRow("a web address among files") << DragContent{true, {"@a.txt"}, {}, {"http://quorvel.example.org/"}}
                                                   << 2 << kEarlierFile << kEarlierList << "2 files selected"
                                                   << "Error getting dropped files";
    }
    void drop() {
        QFETCH(DragContent, drag);
        QFETCH(int, tab);
        QFETCH(QString, singleSelection);
        QFETCH(QStringList, multipleSelection);
        QFETCH(QString, countText);
        QFETCH(QString, status);
        Form1 form({});
        const std::unique_ptr<QMimeData> data = MakeData(drag);
        const bool single = tab == 0;
        const bool multiple = tab == 1;
        for (QWidget* target : Targets(form)) {
            GiveEarlierState(form);
            Drop(form, target, data.get());
            if (QTest::currentTestFailed()) {
                return;
            }
            const QString where = target->objectName();
            QVERIFY2(form.tabControl->currentIndex() == tab, qPrintable(where));
            QCOMPARE(form.TabSingleOpenFileDialog.FileName, Path(singleSelection));
            QCOMPARE(form.tbTabSingleFilePath->text(), Path(singleSelection));
            QVERIFY(!form.TabMultipleOpenFileDialog.Tag.isNull());
            QCOMPARE(form.TabMultipleOpenFileDialog.Tag.metaType(), QMetaType::fromType<QStringList>());
            QCOMPARE(form.TabMultipleOpenFileDialog.Tag.value<QStringList>(), Paths(multipleSelection));
            QCOMPARE(form.tbTabMultipleFilePath->text(), countText);
            for (QLineEdit* box : {form.tbMD5, form.tbSHA1, form.tbSHA256, form.tbSHA512}) {
                QCOMPARE(box->text(), single ? QString() : QString("EARLIER"));
            }
            QCOMPARE(form.rtbTabMultiple->toPlainText(), multiple ? QString() : QString("earlier report"));
            QCOMPARE(form.tsProgressBar->value(), single || multiple ? 0 : 57);
            QCOMPARE(form.toolStripStatusLabel->text(), status);
        }
    }

    // A failure while the drop is taken shows in full: its kind, its message and where it arose,
    // cut by the status line's rule when long.
    void unexpectedFailure_data() {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("status");
        QTest::newRow("short") << "the source went away"
                               << "std::runtime_error: the source went away (in Form1::Drag_OnDrop)";
        const QString longMessage = "the drag source stopped answering while its file list was being read";
        QTest::newRow("cut at 80") << longMessage
                                   << ("std::runtime_error: " + longMessage + " (in Form1::Drag_OnDrop)").left(80) +
                                          "...";
    }
    void unexpectedFailure() {
        QFETCH(QString, message);
        QFETCH(QString, status);
        Form1 form({});
        GiveEarlierState(form);
        FailingMimeData data(message.toStdString());
        // Qt would not deliver it: the same failure at the entry refuses the drag.
        QVERIFY(!Enter(form.tabSingle, &data));
        QCOMPARE(form.toolStripStatusLabel->text(), QString("Error analyzing files"));
        form.SetStatusLabel("earlier status");
        QDropEvent drop(QPointF(5, 5), kOffered, &data, Qt::LeftButton, Qt::NoModifier);
        form.Drag_OnDrop(form.tabSingle, &drop);
        QCOMPARE(form.toolStripStatusLabel->text(), status);
        QCOMPARE(form.TabSingleOpenFileDialog.FileName, kEarlierFile);
        QCOMPARE(form.TabMultipleOpenFileDialog.Tag.value<QStringList>(), kEarlierList);
        QCOMPARE(form.tabControl->currentIndex(), 2);
    }

    // A drop while a job runs is taken like any other; the job goes on with its own file and
    // reports into the single-file tab as usual.
    void dropWhileAJobRuns() {
        const QString hashed = m_dir.filePath("held.txt");
        QFile file(hashed);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("abc") == 3);
        file.close();
        Form1 form({hashed});
        Gate gate;
        form.digestFactory = [&gate](EAlgorithm alg) {
            return std::make_unique<GatedDigest>(alg, gate);
        };
        QTest::mouseClick(form.btTabSingleSHA256, Qt::LeftButton);
        QVERIFY(form.bgWorker->IsBusy());
        QCOMPARE(form.toolStripStatusLabel->text(), QString("Performing SHA256..."));
        const auto held = [&gate] {
            std::lock_guard<std::mutex> lock(gate.mutex);
            return gate.entered;
        };
        QTRY_VERIFY(held());

        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(m_dir.filePath("b.txt")), QUrl::fromLocalFile(m_dir.filePath("c.txt")),
                      QUrl::fromLocalFile(m_dir.filePath("noext"))});
        QVERIFY(Enter(form.tabSingle, &data));
        QDropEvent drop(QPointF(5, 5), kOffered, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form.tabSingle, &drop);
        QCOMPARE(form.tabControl->currentIndex(), 1);
        QCOMPARE(form.tbTabMultipleFilePath->text(), QString("3 files selected"));
        QCOMPARE(form.tsProgressBar->value(), 0);
        QCOMPARE(form.TabSingleOpenFileDialog.FileName, hashed);
        QVERIFY(form.bgWorker->IsBusy());

        {
            std::lock_guard<std::mutex> lock(gate.mutex);
            gate.open = true;
        }
        gate.opened.notify_all();
        QTRY_VERIFY(!form.bgWorker->IsBusy());
        QTRY_COMPARE(form.toolStripStatusLabel->text(), QString("Done"));
        // The job read the file it was started on.
        QCOMPARE(form.tbSHA256->text(),
                 QString(QCryptographicHash::hash("abc", QCryptographicHash::Sha256).toHex().toUpper()));
        QCOMPARE(form.TabMultipleOpenFileDialog.Tag.value<QStringList>().size(), 3);
        QVERIFY(form.btTabMutipleCalculate->isEnabled());
    }

    // Through the window, as the desktop delivers a drag: wherever the pointer lands on the window
    // or on a file page (buttons, result boxes, the report, the path boxes, the strips), one file
    // can be dropped; on the manual-input page nowhere.
    void wherever_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("over"); // object name of the control under the pointer
        QTest::addColumn<bool>("taken");
        for (const char* name :
             {"tabSingle", "tbTabSingleFilePath", "btTabSingleBrowse", "btTabSingleSHA256", "tbSHA256", "btCopySHA512",
              "btTabSingleSaveAll", "menuStrip1", "statusStrip", "tsProgressBar", "tsCancel", "tabControl"}) {
            QTest::newRow(qPrintable(QString("single page, over ") + name)) << 0 << QString(name) << true;
        }
        for (const char* name : {"tabMultiple", "tbTabMultipleFilePath", "cbTabMultiple", "btTabMutipleCalculate",
                                 "rtbTabMultiple", "btTabMultipleCopy", "labelTabMultipleChoose"}) {
            QTest::newRow(qPrintable(QString("multiple page, over ") + name)) << 1 << QString(name) << true;
        }
        for (const char* name : {"tabManual", "rtbTabManualInput", "tbTabManualResult", "btTabManualCalculate",
                                 "checkBoxTabManual", "cbTabManual"}) {
            QTest::newRow(qPrintable(QString("manual page, over ") + name)) << 2 << QString(name) << false;
        }
    }
    void wherever() {
        QFETCH(int, page);
        QFETCH(QString, over);
        QFETCH(bool, taken);
        Form1 form({});
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.tabControl->setCurrentIndex(page);
        auto* control = form.findChild<QWidget*>(over);
        QVERIFY(control != nullptr);
        QVERIFY(control->isVisible());
        // A point inside the control that no child of it covers (the tab control: its tab bar).
        QPoint point = control->mapTo(&form, QPoint(3, control->height() / 2));
        if (over == "tabControl") {
            point = form.tabControl->mapTo(&form, QPoint(form.tabControl->width() - 10, 10));
        } else if (over == "tabSingle" || over == "tabMultiple" || over == "tabManual") {
            point = control->mapTo(&form, QPoint(control->width() - 5, control->height() - 5));
        }
        QWidget* under = form.childAt(point);
        QVERIFY2(under == control || control->isAncestorOf(under), qPrintable(under ? under->objectName() : "none"));

        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(m_dir.filePath("b.txt"))});
        data.setText(m_dir.filePath("b.txt")); // as file managers offer it
        QWindow* window = form.windowHandle();
        // As the desktop's drag reaches Qt: the entry, then a move that starts out taken when the
        // entry was taken with an action, and whose answer goes back to the drag source.
        QDragEnterEvent enter(point, kOffered, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &enter);
        QDragMoveEvent move(point, kOffered, &data, Qt::LeftButton, Qt::NoModifier);
        move.ignore();
        if (enter.isAccepted() && enter.dropAction() != Qt::IgnoreAction) {
            move.setDropAction(enter.dropAction());
            move.accept();
        }
        QCoreApplication::sendEvent(window, &move);
        QCOMPARE(move.isAccepted() && move.dropAction() != Qt::IgnoreAction, taken);
        if (!taken) {
            QDragLeaveEvent leave;
            QCoreApplication::sendEvent(window, &leave);
            QCOMPARE(form.TabSingleOpenFileDialog.FileName, QString());
            QCOMPARE(form.rtbTabManualInput->toPlainText(), QString());
            QCOMPARE(form.toolStripStatusLabel->text(), QString());
            return;
        }
        QCOMPARE(move.dropAction(), Qt::LinkAction);
        QDropEvent drop(point, kOffered, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &drop);
        QVERIFY(drop.isAccepted());
        QCOMPARE(drop.dropAction(), Qt::LinkAction);
        QCOMPARE(form.TabSingleOpenFileDialog.FileName, m_dir.filePath("b.txt"));
        QCOMPARE(form.tabControl->currentIndex(), 0);
        QCOMPARE(form.toolStripStatusLabel->text(), QString());
    }
};

QTEST_MAIN(TestDragDrop)
#include "tst_dragdrop.moc"

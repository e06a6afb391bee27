// The single-file tab end to end in the window: choose a file, compute each digest, cancel,
// failures of the job, and copying.
#include "Clipboard.h"
#include "Form1.h"
#include "FormTestSupport.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <stdexcept>

using namespace quorvel;

namespace {

// Wraps the real digest; lets the test hold the job inside its second update step, and makes
// chosen steps fail or throw.
struct DigestControl {
    std::mutex mutex;
    std::condition_variable released;
    bool holdSecondUpdate = false;
    bool open = false;
    int updates = 0;
    bool failUpdate = false;
    bool throwOnInit = false;

    void Release() {
        std::lock_guard<std::mutex> lock(mutex);
        open = true;
        released.notify_all();
    }
};

class ControlledDigest : public StreamingDigest {
public:
    ControlledDigest(EAlgorithm alg, DigestControl& control) : m_inner(MakeEvpDigest(alg)), m_control(control) {}
    int Init() override {
        if (m_control.throwOnInit) {
            throw std::runtime_error("unexpected");
        }
        return m_inner->Init();
    }
    int Update(const unsigned char* data, size_t length) override {
        if (m_control.failUpdate) {
            return 0;
        }
        std::unique_lock<std::mutex> lock(m_control.mutex);
        if (++m_control.updates == 2 && m_control.holdSecondUpdate) {
            m_control.released.wait(lock, [this] { return m_control.open; });
        }
        lock.unlock();
        return m_inner->Update(data, length);
    }
    int Final(unsigned char* digest) override { return m_inner->Final(digest); }

private:
    std::unique_ptr<StreamingDigest> m_inner;
    DigestControl& m_control;
};

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& content) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
        return QString();
    }
    return path;
}

using testing::AllEnabled;
using testing::StartControls;

} // namespace

class TestSingleFile : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_abc;

private Q_SLOTS:
    void initTestCase() {
        SetUpApplication(*qobject_cast<QApplication*>(QCoreApplication::instance()));
        QVERIFY(m_dir.isValid());
        m_abc = WriteFile(m_dir, QStringLiteral("abc.txt"), QByteArrayLiteral("abc"));
        QVERIFY(!m_abc.isEmpty());
    }
    void cleanup() {
        FileDialogBase::ClearQueuedAnswers();
        Clipboard::SetPlatformPutForTesting({});
    }

    void startWithoutFile() {
        Form1 form({});
        for (QPushButton* b :
             {form.btTabSingleMD5, form.btTabSingleSHA1, form.btTabSingleSHA256, form.btTabSingleSHA512}) {
            form.SetStatusLabel(QStringLiteral("before"));
            QTest::mouseClick(b, Qt::LeftButton);
            QCOMPARE(form.toolStripStatusLabel->text(), QStringLiteral("No file selected"));
            QVERIFY(!form.bgWorker->IsBusy());
            QVERIFY(AllEnabled(form, true));
        }
    }

    void computeEach_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("performing");
        QTest::addColumn<QString>("digest");
        QTest::newRow("MD5") << "btTabSingleMD5"
                             << "tbMD5"
                             << "Performing MD5..."
                             << "900150983CD24FB0D6963F7D28E17F72";
        QTest::newRow("SHA-1") << "btTabSingleSHA1"
                               << "tbSHA1"
                               << "Performing SHA1..."
                               << "A9993E364706816ABA3E25717850C26C9CD0D89D";
        QTest::newRow("SHA-256") << "btTabSingleSHA256"
                                 << "tbSHA256"
                                 << "Performing SHA256..."
                                 << "BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD";
        QTest::newRow("SHA-512")
            << "btTabSingleSHA512"
            << "tbSHA512"
            << "Performing SHA512..."
            << "DDAF35A193617ABACC417349AE20413112E6FA4E89A97EA20A9EEEE64B55D39A2192992A274FC1A836BA3C23A3FEEBBD454D4"
               "423643CE80E2A9AC94FA54CA49F";
    }
    void computeEach() {
        QFETCH(QString, button);
        QFETCH(QString, box);
        QFETCH(QString, performing);
        QFETCH(QString, digest);
        Form1 form({});
        FileDialogBase::QueueNextAnswer(QStringList{m_abc});
        QTest::mouseClick(form.btTabSingleBrowse, Qt::LeftButton);
        QCOMPARE(form.TabSingleOpenFileDialog.FileName, m_abc);
        QCOMPARE(form.TabSingleOpenFileDialog.Title, QStringLiteral("Select a file to hash"));
        QCOMPARE(form.tbTabSingleFilePath->text(), m_abc);

        auto* start = form.findChild<QPushButton*>(button);
        auto* target = form.findChild<QLineEdit*>(box);
        QTest::mouseClick(start, Qt::LeftButton);
        QCOMPARE(form.toolStripStatusLabel->text(), performing);
        QVERIFY(AllEnabled(form, false));
        QVERIFY(form.btTabSingleSaveAll->isEnabled() && form.btTabSingleVerify->isEnabled() &&
                form.btCopyMD5->isEnabled());
        QTRY_COMPARE(form.toolStripStatusLabel->text(), QStringLiteral("Done"));
        QCOMPARE(target->text(), digest);
        QCOMPARE(form.tsProgressBar->value(), 100);
        QVERIFY(AllEnabled(form, true));
        // Only the row's own box is written.
        for (QLineEdit* other : {form.tbMD5, form.tbSHA1, form.tbSHA256, form.tbSHA512}) {
            if (other != target) {
                QCOMPARE(other->text(), QString());
            }
        }
    }

    void resultsAccumulate() {
        Form1 form({});
        form.TabSingleOpenFileDialog.FileName = m_abc;
        QTest::mouseClick(form.btTabSingleMD5, Qt::LeftButton);
        QTRY_COMPARE(form.toolStripStatusLabel->text(), QStringLiteral("Done"));
        QTest::mouseClick(form.btTabSingleSHA1, Qt::LeftButton);
        QTRY_COMPARE(form.toolStripStatusLabel->text(), QStringLiteral("Done"));
        QCOMPARE(form.tbMD5->text(), QStringLiteral("900150983CD24FB0D6963F7D28E17F72"));
        QCOMPARE(form.tbSHA1->text(), QStringLiteral("A9993E364706816ABA3E25717850C26C9CD0D89D"));
        // A second MD5 empties only its own box while it runs.
        QTest::mouseClick(form.btTabSingleMD5, Qt::LeftButton);
        QCOMPARE(form.tbMD5->text(), QString());
        QCOMPARE(form.tbSHA1->text(), QStringLiteral("A9993E364706816ABA3E25717850C26C9CD0D89D"));
        QTRY_COMPARE(form.toolStripStatusLabel->text(), QStringLiteral("Done"));
        QCOMPARE(form.tbMD5->text(), QStringLiteral("900150983CD24FB0D6963F7D28E17F72"));
    }

    void browse() {
        Form1 form({});
        form.TabSingleOpenFileDialog.FileName = m_abc;
        QTest::mouseClick(form.btTabSingleMD5, Qt::LeftButton);
        QTRY_COMPARE(form.toolStripStatusLabel->text(), QStringLiteral("Done"));
        form.tbSHA1->setText(QStringLiteral("X"));
        form.SetTabSingleFilePath(m_abc);

        // Cancelled: everything stays, the status line is cleared.
        FileDialogBase::QueueNextAnswer(std::nullopt);
        QTest::mouseClick(form.btTabSingleBrowse, Qt::LeftButton);
        QCOMPARE(form.toolStripStatusLabel->text(), QString());
        QCOMPARE(form.tbMD5->text(), QStringLiteral("900150983CD24FB0D6963F7D28E17F72"));
        QCOMPARE(form.tbSHA1->text(), QStringLiteral("X"));
        QCOMPARE(form.tsProgressBar->value(), 100);
        QCOMPARE(form.TabSingleOpenFileDialog.FileName, m_abc);

        // Confirmed, even on the same file: all four boxes and the bar are cleared, the status stays.
        form.SetStatusLabel(QStringLiteral("kept"));
        FileDialogBase::QueueNextAnswer(QStringList{m_abc});
        QTest::mouseClick(form.btTabSingleBrowse, Qt::LeftButton);
        for (QLineEdit* box : {form.tbMD5, form.tbSHA1, form.tbSHA256, form.tbSHA512}) {
            QCOMPARE(box->text(), QString());
        }
        QCOMPARE(form.tsProgressBar->value(), 0);
        QCOMPARE(form.toolStripStatusLabel->text(), QStringLiteral("kept"));
        QCOMPARE(form.tbTabSingleFilePath->text(), m_abc);
    }

    void missingFile() {
        Form1 form({});
        form.TabSingleOpenFileDialog.FileName = m_dir.filePath(QStringLiteral("gone.bin"));
        QTest::mouseClick(form.btTabSingleSHA256, Qt::LeftButton);
        QTRY_COMPARE(form.toolStripStatusLabel->text(), QStringLiteral("Done"));
        QCOMPARE(form.tbSHA256->text(), QStringLiteral("Error (2) opening gone.bin"));
        QCOMPARE(form.tsProgressBar->value(), 0);
        QVERIFY(AllEnabled(form, true));
        // The failure text is copied like a digest.
        QTest::mouseClick(form.btCopySHA256, Qt::LeftButton);
        QCOMPARE(form.toolStripStatusLabel->text(), QStringLiteral("Copied!"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Error (2) opening gone.bin"));
    }

    void emptyFile() {
        Form1 form({});
        form.TabSingleOpenFileDialog.FileName = WriteFile(m_dir, QStringLiteral("empty.bin"), QByteArray());
        QTest::mouseClick(form.btTabSingleMD5, Qt::LeftButton);
        QTRY_COMPARE(form.toolStripStatusLabel->text(), QStringLiteral("Done"));
        QCOMPARE(form.tbMD5->text(), QStringLiteral("D41D8CD98F00B204E9800998ECF8427E"));
        QCOMPARE(form.tsProgressBar->value(), 0);
    }

    void cancelMidJob_data() {
        QTest::addColumn<bool>("viaMenuItem");
        QTest::newRow("split button face") << false;
        QTest::newRow("drop-down item") << true;
    }
    void cancelMidJob() {
        QFETCH(bool, viaMenuItem);
        const QString big = WriteFile(m_dir, QStringLiteral("big.bin"), QByteArray(3 * 131072, 'q'));
        DigestControl control;
        control.holdSecondUpdate = true;
        Form1 form({});
        form.digestFactory = [&control](EAlgorithm alg) {
            return std::make_unique<ControlledDigest>(alg, control);
        };
        form.TabSingleOpenFileDialog.FileName = big;
        form.tbSHA512->setText(QStringLiteral("old"));
        QTest::mouseClick(form.btTabSingleSHA512, Qt::LeftButton);
        QTRY_COMPARE(form.tsProgressBar->value(), 33); // the first chunk has been reported
        if (viaMenuItem) {
            form.tsiCancel->trigger();
        } else {
            QTest::mouseClick(form.tsCancel, Qt::LeftButton, {}, QPoint(8, 12)); // the face, not the arrow
        }
        control.Release();
        QTRY_COMPARE(form.toolStripStatusLabel->text(), QStringLiteral("Cancelled"));
        QCOMPARE(form.tsProgressBar->value(), 0);
        QCOMPARE(form.tbSHA512->text(), QString());
        QVERIFY(AllEnabled(form, true));
    }

    // A cancel click while idle changes nothing, and the next job still runs to its end.
    void cancelWhileIdle() {
        Form1 form({});
        form.TabSingleOpenFileDialog.FileName = m_abc;
        form.SetStatusLabel(QStringLiteral("idle"));
        QTest::mouseClick(form.tsCancel, Qt::LeftButton, {}, QPoint(8, 12));
        form.tsiCancel->trigger();
        QCOMPARE(form.toolStripStatusLabel->text(), QStringLiteral("idle"));
        QCOMPARE(form.tsProgressBar->value(), 0);
        QVERIFY(AllEnabled(form, true));
        QTest::mouseClick(form.btTabSingleMD5, Qt::LeftButton);
        QTRY_COMPARE(form.toolStripStatusLabel->text(), QStringLiteral("Done"));
        QCOMPARE(form.tbMD5->text(), QStringLiteral("900150983CD24FB0D6963F7D28E17F72"));
    }

    void jobFailures_data() {
        QTest::addColumn<bool>("throwOnInit");
        QTest::addColumn<QString>("status");
        QTest::newRow("digest step fails") << false << "Internal SHA256_Update error | abc.txt";
        QTest::newRow("job ends with an error") << true << "Erro!";
    }
    void jobFailures() {
        QFETCH(bool, throwOnInit);
        QFETCH(QString, status);
        DigestControl control;
        control.failUpdate = !throwOnInit;
        control.throwOnInit = throwOnInit;
        Form1 form({});
        form.digestFactory = [&control](EAlgorithm alg) {
            return std::make_unique<ControlledDigest>(alg, control);
        };
        form.TabSingleOpenFileDialog.FileName = m_abc;
        form.tbSHA256->setText(QStringLiteral("old"));
        form.tbMD5->setText(QStringLiteral("kept"));
        QTest::mouseClick(form.btTabSingleSHA256, Qt::LeftButton);
        QTRY_VERIFY(!form.bgWorker->IsBusy());
        QCOMPARE(form.toolStripStatusLabel->text(), status);
        QCOMPARE(form.tbSHA256->text(), QString());
        QCOMPARE(form.tbMD5->text(), QStringLiteral("kept"));
        QVERIFY(AllEnabled(form, true));
    }

    void copy_data() {
        QTest::addColumn<QString>("boxText");
        QTest::addColumn<int>("platformFailures"); // attempts the clipboard refuses; -1: the real clipboard
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("clipboardAfter");
        QTest::addColumn<int>("attempts");
        const QString digest = QStringLiteral("900150983CD24FB0D6963F7D28E17F72");
        QTest::newRow("filled box") << digest << -1 << "Copied!" << digest << 0;
        QTest::newRow("empty box") << QString() << -1 << ""
                                   << "sentinel" << 0;
        QTest::newRow("busy twice, then taken") << digest << 2 << "Copied!"
                                                << "sentinel" << 3;
        QTest::newRow("always refused") << digest << 99 << "Failed copying to clipboard, please try again"
                                        << "sentinel" << 3;
    }
    void copy() {
        QFETCH(QString, boxText);
        QFETCH(int, platformFailures);
        QFETCH(QString, status);
        QFETCH(QString, clipboardAfter);
        QFETCH(int, attempts);
        QGuiApplication::clipboard()->setText(QStringLiteral("sentinel"));
        int tries = 0;
        if (platformFailures >= 0) {
            Clipboard::SetPlatformPutForTesting(
                [&tries, platformFailures](const QString&) { return ++tries > platformFailures; });
        }
        Form1 form({});
        // Every row's copy button reads its own box.
        const QList<QPair<QPushButton*, QLineEdit*>> rows{{form.btCopyMD5, form.tbMD5},
                                                          {form.btCopySHA1, form.tbSHA1},
                                                          {form.btCopySHA256, form.tbSHA256},
                                                          {form.btCopySHA512, form.tbSHA512}};
        for (const auto& [button, box] : rows) {
            for (QLineEdit* other : {form.tbMD5, form.tbSHA1, form.tbSHA256, form.tbSHA512}) {
                other->setText(other == box ? boxText : QStringLiteral("other"));
            }
            form.SetStatusLabel(QStringLiteral("before"));
            tries = 0;
            QTest::mouseClick(button, Qt::LeftButton);
            QCOMPARE(form.toolStripStatusLabel->text(), status);
            QCOMPARE(QGuiApplication::clipboard()->text(), clipboardAfter);
            QCOMPARE(tries, attempts);
        }
    }
};

QTEST_MAIN(TestSingleFile)
#include "tst_singlefile.moc"

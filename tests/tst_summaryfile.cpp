// The single-file summary file: refusal without digests, the file's exact bytes, the save
// dialog's settings and answers, and a file that cannot be written.
#include "FileDialogs.h"
#include "Form1.h"
#include "FormTestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace quorvel;

namespace {

const QString& kMd5 = testing::kDigestOfA_MD5;
const QString& kSha1 = testing::kDigestOfA_SHA1;
const QString& kSha256 = testing::kDigestOfA_SHA256;
const QString& kSha512 = testing::kDigestOfA_SHA512;

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QByteArray("<unreadable>");
    }
    return file.readAll();
}

} // namespace

class TestSummaryFile : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    static void Fill(Form1& form, const QStringList& boxes) {
        QLineEdit* digestBoxes[] = {form.tbMD5, form.tbSHA1, form.tbSHA256, form.tbSHA512};
        for (int i = 0; i < 4; ++i) {
            digestBoxes[i]->setText(boxes[i]);
        }
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void cleanup() { FileDialogBase::ClearQueuedAnswers(); }

    void nothingToSave() {
        Form1 form({});
        form.SaveFileDialog.FileName = QStringLiteral("left over");
        form.SaveFileDialog.Filter = QStringLiteral("All files|*.*");
        FileDialogBase::QueueNextAnswer(QStringList{m_dir.filePath(QStringLiteral("never.txt"))});
        form.btTabSingleSaveAll->click();
        QCOMPARE(form.toolStripStatusLabel->text(), QStringLiteral("No data to save. Perform a hash operation"));
        QCOMPARE(FileDialogBase::QueuedAnswerCount(), 1); // no dialog shown
        // The dialog is prepared before the refusal.
        QCOMPARE(form.SaveFileDialog.FileName, QString());
        QCOMPARE(form.SaveFileDialog.Filter, QStringLiteral("Text files|*.txt"));
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("never.txt"))));
    }

    // The file byte for byte: the name and folder of the selected file, then a line per filled box
    // in the fixed order, each ended by CR LF; UTF-8 without a byte-order mark.
    void content_data() {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("SHA-256 only") << "/data/disk.img" << QStringList{"", "", kSha256, ""}
                                      << ("File    : disk.img\r\n"
                                          "Path    : /data\r\n"
                                          "SHA-256 : " +
                                          kSha256.toLatin1() + "\r\n");
        QTest::newRow("all four") << "/home/user/file.bin" << QStringList{kMd5, kSha1, kSha256, kSha512}
                                  << ("File    : file.bin\r\n"
                                      "Path    : /home/user\r\n"
                                      "MD5     : " +
                                      kMd5.toLatin1() +
                                      "\r\n"
                                      "SHA-1   : " +
                                      kSha1.toLatin1() +
                                      "\r\n"
                                      "SHA-256 : " +
                                      kSha256.toLatin1() +
                                      "\r\n"
                                      "SHA-512 : " +
                                      kSha512.toLatin1() + "\r\n");
        QTest::newRow("gaps closed") << "/srv/a.iso" << QStringList{kMd5, "", "", kSha512}
                                     << ("File    : a.iso\r\n"
                                         "Path    : /srv\r\n"
                                         "MD5     : " +
                                         kMd5.toLatin1() +
                                         "\r\n"
                                         "SHA-512 : " +
                                         kSha512.toLatin1() + "\r\n");
        QTest::newRow("root folder") << "/disk.img" << QStringList{kMd5, "", "", ""}
                                     << ("File    : disk.img\r\n"
                                         "Path    : /\r\n"
                                         "MD5     : " +
                                         kMd5.toLatin1() + "\r\n");
        QTest::newRow("other characters in UTF-8")
            << QString::fromUtf8("/tmp/d\u00e4t\u00e4/\u30d5\u30a1\u30a4\u30eb \u00e9.bin")
            << QStringList{"", kSha1, "", ""}
            << QByteArray("File    : \xe3\x83\x95\xe3\x82\xa1\xe3\x82\xa4\xe3\x83\xab \xc3\xa9.bin\r\n"
                          "Path    : /tmp/d\xc3\xa4t\xc3\xa4\r\n"
                          "SHA-1   : " +
                          kSha1.toLatin1() + "\r\n");
        QTest::newRow("open-failure text written as it is")
            << "/data/gone.bin" << QStringList{"Cannot open gone.bin", "", "", ""}
            << QByteArray("File    : gone.bin\r\n"
                          "Path    : /data\r\n"
                          "MD5     : Cannot open gone.bin\r\n");
    }
    void content() {
        QFETCH(QString, selected);
        QFETCH(QStringList, boxes);
        QFETCH(QByteArray, expected);
        Form1 form({});
        form.TabSingleOpenFileDialog.FileName = selected;
        Fill(form, boxes);
        form.SetStatusLabel(QStringLiteral("Done"));
        const QString target = m_dir.filePath(QStringLiteral("summary.txt"));
        FileDialogBase::QueueNextAnswer(QStringList{target});
        form.btTabSingleSaveAll->click();
        QCOMPARE(ReadAll(target), expected);
        // No status text follows a successful save.
        QCOMPARE(form.toolStripStatusLabel->text(), QStringLiteral("Done"));
        QCOMPARE(FileDialogBase::QueuedAnswerCount(), 0);
        QCOMPARE(form.SaveFileDialog.Title, QString());
    }

    void replacesALongerFile() {
        const QString target = m_dir.filePath(QStringLiteral("existing.txt"));
        {
            QFile old(target);
            QVERIFY(old.open(QIODevice::WriteOnly));
            QVERIFY(old.write(QByteArray(10000, 'x')) == 10000);
        }
        Form1 form({});
        form.TabSingleOpenFileDialog.FileName = QStringLiteral("/data/disk.img");
        Fill(form, {kMd5, "", "", ""});
        FileDialogBase::QueueNextAnswer(QStringList{target});
        form.btTabSingleSaveAll->click();
        QCOMPARE(ReadAll(target), "File    : disk.img\r\nPath    : /data\r\nMD5     : " + kMd5.toLatin1() + "\r\n");
    }

    // A name without any extension gets ".txt"; one with an extension keeps it.
    void extension_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("none") << "results"
                              << "results.txt";
        QTest::newRow("log") << "results.log"
                             << "results.log";
        QTest::newRow("txt") << "other.txt"
                             << "other.txt";
    }
    void extension() {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        Form1 form({});
        form.TabSingleOpenFileDialog.FileName = QStringLiteral("/data/disk.img");
        Fill(form, {"", "", kSha256, ""});
        FileDialogBase::QueueNextAnswer(QStringList{m_dir.filePath(typed)});
        form.btTabSingleSaveAll->click();
        QVERIFY(QFile::exists(m_dir.filePath(written)));
        QVERIFY(ReadAll(m_dir.filePath(written)).startsWith("File    : disk.img\r\n"));
    }

    void cancelled() {
        Form1 form({});
        form.TabSingleOpenFileDialog.FileName = QStringLiteral("/data/disk.img");
        Fill(form, {kMd5, "", "", ""});
        form.SetStatusLabel(QStringLiteral("Copied!"));
        FileDialogBase::QueueNextAnswer(std::nullopt);
        const QStringList before = QDir(m_dir.path()).entryList(QDir::Files);
        form.btTabSingleSaveAll->click();
        QCOMPARE(form.toolStripStatusLabel->text(), QStringLiteral("Copied!"));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), before);
    }

    // A place that cannot be written: the status line says so with the reason; nothing else changes.
    void cannotWrite_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("missing folder") << m_dir.filePath(QStringLiteral("no/such/folder/summary.txt"));
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("taken.txt")));
        QTest::newRow("a folder's name") << m_dir.filePath(QStringLiteral("taken.txt"));
    }
    void cannotWrite() {
        QFETCH(QString, target);
        Form1 form({});
        form.TabSingleOpenFileDialog.FileName = QStringLiteral("/data/disk.img");
        Fill(form, {kMd5, "", kSha256, ""});
        FileDialogBase::QueueNextAnswer(QStringList{target});
        form.btTabSingleSaveAll->click();
        const QString status = form.toolStripStatusLabel->text();
        QVERIFY2(status.startsWith(QStringLiteral("Could not save the file: ")), qPrintable(status));
        QVERIFY2(status.size() > QStringLiteral("Could not save the file: ").size(), qPrintable(status));
        QCOMPARE(form.tbMD5->text(), kMd5);
        QCOMPARE(form.tbSHA256->text(), kSha256);
        QCOMPARE(form.TabSingleOpenFileDialog.FileName, QStringLiteral("/data/disk.img"));
        QVERIFY(form.btTabSingleSaveAll->isEnabled());
    }
};

QTEST_MAIN(TestSummaryFile)
#include "tst_summaryfile.moc"

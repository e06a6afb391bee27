// The multiple-files tab in the window: choosing files, Calculate's checks, the report built into
// the view file by file, and copying, saving and opening it. Time zone and locale are pinned in
// main(), before Qt reads them.
#include "Clipboard.h"
#include "Desktop.h"
#include "FileInfo.h"
#include "Form1.h"
#include "FormTestSupport.h"

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <unistd.h>

using namespace quorvel;

namespace {

// Every file of the tests is last written at this moment; in the pinned zone (UTC+3) and locale it
// reads as kWrittenText.
const QDateTime kWritten(QDate(2024, 2, 29), QTime(23, 59, 58), Qt::UTC);
const QString kWrittenText = "3/1/24 2:59:58 AM";

const QString kAbcMd5 = "900150983CD24FB0D6963F7D28E17F72";
const QString kEmptyMd5 = "D41D8CD98F00B204E9800998ECF8427E";
const QString kAbcSha1 = "A9993E364706816ABA3E25717850C26C9CD0D89D";

QString MakeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.flush() ||
        !file.setFileTime(kWritten, QFileDevice::FileModificationTime)) {
        return QString();
    }
    return path;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

using testing::AllEnabled;
using testing::StartControls;

QString Block(const QString& name, const QString& size, const QString& digestLine) {
    return "File      : " + name + "\nSize      : " + size + " bytes\nLast write: " + kWrittenText + "\n" + digestLine;
}

// The file names of a report, in its order.
QStringList NamesIn(const QString& report) {
    QStringList names;
    for (const QString& line : report.split('\n')) {
        if (line.startsWith("File      : ")) {
            names << line.mid(12);
        }
    }
    return names;
}

// The texts the header can have for a save made between before and after.
QStringList HeaderCandidates(const QDateTime& before, const QDateTime& after) {
    QStringList texts;
    for (QDateTime t = before.addMSecs(-before.time().msec()); t <= after; t = t.addSecs(1)) {
        texts << "Generated at " + GeneralDateTimeText(t);
    }
    return texts;
}

} // namespace

class TestTabMultiple : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    QString Path(const QString& name) const { return m_dir.filePath(name); }
    // Names starting with '@' stand for paths in the test folder.
    QStringList Paths(const QStringList& names) const {
        QStringList paths;
        for (const QString& name : names) {
            paths << (name.startsWith('@') ? Path(name.mid(1)) : name);
        }
        return paths;
    }

private Q_SLOTS:
    void initTestCase() {
        SetUpApplication(*qobject_cast<QApplication*>(QCoreApplication::instance()));
        QVERIFY(m_dir.isValid());
        QVERIFY(!MakeFile(Path("a.txt"), "abc").isEmpty());
        QVERIFY(!MakeFile(Path("b.txt"), "").isEmpty());
        QVERIFY(!MakeFile(Path("c.txt"), "abc").isEmpty());
        for (const char* name : {"setup.exe", "SETUP.EXE", "setup.Exe", "setup.msi", "lib.dll"}) {
            QVERIFY(!MakeFile(Path(QLatin1String(name)), "MZ").isEmpty());
        }
    }
    void cleanup() {
        FileDialogBase::ClearQueuedAnswers();
        Clipboard::SetPlatformPutForTesting({});
        Desktop::SetOpenUrlForTesting({});
    }

    void browse_data() {
        QTest::addColumn<QStringList>("chosen");
        QTest::addColumn<QString>("countText");
        QTest::addColumn<QStringList>("reported");
        QTest::newRow("one") << QStringList{"@a.txt"} << "1 file selected" << QStringList{"a.txt"};
        QTest::newRow("three") << QStringList{"@c.txt", "@a.txt", "@b.txt"} << "3 files selected"
                               << QStringList{"a.txt", "b.txt", "c.txt"};
    }
    void browse() {
        QFETCH(QStringList, chosen);
        QFETCH(QString, countText);
        QFETCH(QStringList, reported);
        // Start from a handed-over list and a report on screen.
        Form1 form({Path("a.txt"), Path("b.txt")});
        form.rtbTabMultiple->setPlainText("old report");
        form.tsProgressBar->setValue(100);
        form.SetStatusLabel("before");

        FileDialogBase::QueueNextAnswer(std::nullopt);
        QTest::mouseClick(form.btTabMutipleBrowse, Qt::LeftButton);
        QCOMPARE(form.TabMultipleOpenFileDialog.Title, QString("Select files to hash"));
        QVERIFY(form.TabMultipleOpenFileDialog.Multiselect);
        QCOMPARE(form.TabMultipleOpenFileDialog.Filter, QString());
        // Cancelled: nothing changes, the handed-over list stays.
        QCOMPARE(form.tbTabMultipleFilePath->text(), QString("2 files selected"));
        QCOMPARE(form.TabMultipleOpenFileDialog.Tag.value<QStringList>(), QStringList({Path("a.txt"), Path("b.txt")}));
        QCOMPARE(form.rtbTabMultiple->toPlainText(), QString("old report"));
        QCOMPARE(form.tsProgressBar->value(), 100);
        QCOMPARE(form.toolStripStatusLabel->text(), QString("before"));

        FileDialogBase::QueueNextAnswer(Paths(chosen));
        QTest::mouseClick(form.btTabMutipleBrowse, Qt::LeftButton);
        QCOMPARE(form.tbTabMultipleFilePath->text(), countText);
        QCOMPARE(form.rtbTabMultiple->toPlainText(), QString());
        QCOMPARE(form.tsProgressBar->value(), 0);
        QVERIFY(form.TabMultipleOpenFileDialog.Tag.isNull());
        QCOMPARE(form.TabMultipleOpenFileDialog.FileNames, Paths(chosen));
        QCOMPARE(form.toolStripStatusLabel->text(), QString("before"));

        // Calculate now hashes the browsed files, not the handed-over ones.
        QTest::mouseClick(form.btTabMutipleCalculate, Qt::LeftButton);
        QTRY_VERIFY(form.toolStripStatusLabel->text().startsWith("Done"));
        QCOMPARE(NamesIn(form.rtbTabMultiple->toPlainText()), reported);
        QCOMPARE(form.TabMultipleOpenFileDialog.FileNames, Paths(chosen)); // the selection keeps its order
    }

    // The checks run in order; the first that fails ends the click with its text.
    void calculateChecks_data() {
        QTest::addColumn<int>("algorithm");
        QTest::addColumn<QVariant>("tag");
        QTest::addColumn<QStringList>("fileNames");
        QTest::addColumn<QString>("status");
        QTest::newRow("no algorithm, files chosen")
            << -1 << QVariant() << QStringList{"@a.txt"} << "Please, choose a hash function";
        QTest::newRow("no algorithm before a broken list")
            << -1 << QVariant(42) << QStringList() << "Please, choose a hash function";
        QTest::newRow("no algorithm, nothing selected")
            << -1 << QVariant() << QStringList() << "Please, choose a hash function";
        QTest::newRow("Tag holds a number") << 0 << QVariant(42) << QStringList{"@a.txt"}
                                            << "There was a problem retrieving the files. Please, try again";
        QTest::newRow("Tag holds a list of variants") << 0 << QVariant(QVariantList{Path("a.txt")}) << QStringList()
                                                      << "There was a problem retrieving the files. Please, try again";
        QTest::newRow("Tag holds a single string") << 0 << QVariant(Path("a.txt")) << QStringList()
                                                   << "There was a problem retrieving the files. Please, try again";
        QTest::newRow("nothing selected") << 5 << QVariant() << QStringList() << "No file selected";
        QTest::newRow("own choice") << 1 << QVariant() << QStringList{"@a.txt"} << "Hash multiple files";
        QTest::newRow("handed-over list wins over the own choice")
            << 1 << QVariant(QStringList{Path("c.txt")}) << QStringList{"@a.txt"} << "Hash multiple files";
        QTest::newRow("empty handed-over list still starts")
            << 1 << QVariant(QStringList()) << QStringList() << "Hash multiple files";
    }
    void calculateChecks() {
        QFETCH(int, algorithm);
        QFETCH(QVariant, tag);
        QFETCH(QStringList, fileNames);
        QFETCH(QString, status);
        Form1 form({});
        form.cbTabMultiple->setCurrentIndex(algorithm);
        form.TabMultipleOpenFileDialog.Tag = tag;
        form.TabMultipleOpenFileDialog.FileNames = Paths(fileNames);
        form.rtbTabMultiple->setPlainText("old report");
        QTest::mouseClick(form.btTabMutipleCalculate, Qt::LeftButton);
        QCOMPARE(form.toolStripStatusLabel->text(), status);
        if (status != "Hash multiple files") {
            QVERIFY(!form.bgWorker->IsBusy());
            QVERIFY(AllEnabled(form, true));
            QCOMPARE(form.rtbTabMultiple->toPlainText(), QString("old report"));
            return;
        }
        QVERIFY(AllEnabled(form, false));
        QCOMPARE(form.rtbTabMultiple->toPlainText(), QString());
        QTRY_COMPARE(form.toolStripStatusLabel->text(), QString("Done"));
        QVERIFY(AllEnabled(form, true));
        const QStringList hashed = tag.isNull() ? Paths(fileNames) : tag.value<QStringList>();
        if (hashed.isEmpty()) {
            QCOMPARE(form.rtbTabMultiple->toPlainText(), QString());
            QCOMPARE(form.tsProgressBar->value(), 0);
        } else {
            QCOMPARE(form.rtbTabMultiple->toPlainText(),
                     Block(QFileInfo(hashed.first()).fileName(), "3", "SHA1      : " + kAbcSha1));
            QCOMPARE(form.tsProgressBar->value(), 100);
        }
    }

    // Whole jobs, from Calculate to the report on screen: the view holds every line break as one
    // line feed, so the blocks' "\r\n\r\n" reads as one empty line.
    void reportInView_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<int>("algorithm");
        QTest::addColumn<QString>("view");
        QTest::addColumn<QString>("status");
        QTest::newRow("one file") << QStringList{"@a.txt"} << 0 << Block("a.txt", "3", "MD5       : " + kAbcMd5)
                                  << "Done";
        QTest::newRow("three files, in sorted order") << QStringList{"@c.txt", "@a.txt", "@b.txt"} << 0
                                                      << Block("a.txt", "3", "MD5       : " + kAbcMd5) + "\n\n" +
                                                             Block("b.txt", "0", "MD5       : " + kEmptyMd5) + "\n\n" +
                                                             Block("c.txt", "3", "MD5       : " + kAbcMd5)
                                                      << "Done";
        QTest::newRow("one missing file, last")
            << QStringList{"@zz-gone.bin", "@a.txt"} << 0
            << Block("a.txt", "3", "MD5       : " + kAbcMd5) +
                   "\n\nFile      : zz-gone.bin\n!Failed!  : Error (2) opening zz-gone.bin"
            << "Done - unable to hash 1 file";
        QTest::newRow("two missing files") << QStringList{"@gone1.bin", "@gone2.bin"} << 3
                                           << "File      : gone1.bin\n!Failed!  : Error (2) opening gone1.bin\n\n"
                                              "File      : gone2.bin\n!Failed!  : Error (2) opening gone2.bin"
                                           << "Done - unable to hash 2 files";
        QTest::newRow("version line for exact .exe and .dll only")
            << QStringList{"@setup.exe", "@SETUP.EXE", "@setup.Exe", "@setup.msi", "@lib.dll"} << 0
            << "File      : lib.dll\nVersion   : \nSize      : 2 bytes\nLast write: " + kWrittenText +
                   "\nMD5       : AC6AD5D9B99757C3A878F2D275ACE198\n\n" +
                   "File      : setup.exe\nVersion   : \nSize      : 2 bytes\nLast write: " + kWrittenText +
                   "\nMD5       : AC6AD5D9B99757C3A878F2D275ACE198\n\n" +
                   Block("setup.Exe", "2", "MD5       : AC6AD5D9B99757C3A878F2D275ACE198") + "\n\n" +
                   Block("SETUP.EXE", "2", "MD5       : AC6AD5D9B99757C3A878F2D275ACE198") + "\n\n" +
                   Block("setup.msi", "2", "MD5       : AC6AD5D9B99757C3A878F2D275ACE198")
            << "Done";
    }
    void reportInView() {
        QFETCH(QStringList, files);
        QFETCH(int, algorithm);
        QFETCH(QString, view);
        QFETCH(QString, status);
        Form1 form({});
        form.cbTabMultiple->setCurrentIndex(algorithm);
        form.TabMultipleOpenFileDialog.Tag = QVariant(Paths(files));
        QTest::mouseClick(form.btTabMutipleCalculate, Qt::LeftButton);
        QTRY_VERIFY(form.toolStripStatusLabel->text().startsWith("Done"));
        QCOMPARE(form.rtbTabMultiple->toPlainText(), view);
        QCOMPARE(form.toolStripStatusLabel->text(), status);
        QCOMPARE(form.tsProgressBar->value(), 100);
        QVERIFY(AllEnabled(form, true));

        // The same selection again, with another algorithm: same files, same order.
        form.cbTabMultiple->setCurrentIndex(algorithm == 0 ? 1 : 0);
        QTest::mouseClick(form.btTabMutipleCalculate, Qt::LeftButton);
        QTRY_VERIFY(form.toolStripStatusLabel->text().startsWith("Done"));
        QCOMPARE(NamesIn(form.rtbTabMultiple->toPlainText()), NamesIn(view));
    }

    // Results handed to the report directly: what happens to files between the job and the report,
    // and the pairing check.
    void showResult_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("view");
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("bar");
        QTest::newRow("no files") << QStringList() << QStringList() << ""
                                  << "Done" << 0;
        QTest::newRow("removed after the job read it")
            << QStringList{"@removed.bin"} << QStringList{kAbcMd5} << "File      : removed.bin\n!Failed!  : " + kAbcMd5
            << "Done - unable to hash 1 file" << 100;
        QTest::newRow("could not be opened, but is there")
            << QStringList{"@a.txt"} << QStringList{"Error (13) opening a.txt"}
            << Block("a.txt", "3", "SHA256    : Error (13) opening a.txt") << "Done" << 100;
        QTest::newRow("a directory") << QStringList{"@."} << QStringList{"Error (21) opening ."}
                                     << "File      : .\n!Failed!  : Error (21) opening ."
                                     << "Done - unable to hash 1 file" << 100;
        QTest::newRow("paths and entries do not pair up")
            << QStringList{"@a.txt", "@c.txt"} << QStringList{kAbcMd5} << ""
            << "Not all files were hashed. Something wrong occurred" << 37;
    }
    void showResult() {
        QFETCH(QStringList, files);
        QFETCH(QStringList, entries);
        QFETCH(QString, view);
        QFETCH(QString, status);
        QFETCH(int, bar);
        Form1 form({});
        form.DisableAll();
        form.tsProgressBar->setValue(37);
        auto result = std::make_shared<OutputArguments>();
        result->L_Files = Paths(files);
        result->L_Hashes = entries;
        result->alg = EAlgorithm::SHA256;
        result->tab = ETab::MULTIPLE_FILES;
        form.TabMultipleShowResult(result);
        QCOMPARE(form.rtbTabMultiple->toPlainText(), view);
        QCOMPARE(form.toolStripStatusLabel->text(), status);
        QCOMPARE(form.tsProgressBar->value(), bar);
        QVERIFY(AllEnabled(form, true));
    }

    // The window handles its events before the first block and between blocks, seeing the report
    // and the bar grow.
    void eventsBetweenFiles() {
        Form1 form({});
        auto result = std::make_shared<OutputArguments>();
        result->L_Files = Paths({"@a.txt", "@b.txt", "@c.txt"});
        result->L_Hashes = QStringList{"1", "2", "3"};
        result->tab = ETab::MULTIPLE_FILES;
        struct Seen {
            QString status;
            int blocks;
            int bar;
            bool startEnabled;
        };
        QList<Seen> seen;
        std::function<void()> look = [&] {
            seen << Seen{form.toolStripStatusLabel->text(),
                         static_cast<int>(form.rtbTabMultiple->toPlainText().count("File      : ")),
                         form.tsProgressBar->value(), form.btTabMutipleCalculate->isEnabled()};
            if (seen.size() < 10) {
                QMetaObject::invokeMethod(&form, look, Qt::QueuedConnection);
            }
        };
        QMetaObject::invokeMethod(&form, look, Qt::QueuedConnection);
        form.DisableAll();
        form.TabMultipleShowResult(result);
        QCOMPARE(seen.size(), 4);
        const int bars[] = {0, 33, 66, 100};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(seen[i].status, QString("Processing results..."));
            QCOMPARE(seen[i].blocks, i);
            QCOMPARE(seen[i].bar, bars[i]);
            QVERIFY(!seen[i].startEnabled);
        }
        QCOMPARE(form.toolStripStatusLabel->text(), QString("Done"));
        QCoreApplication::processEvents(); // let the last look go
    }

    void copy_data() {
        QTest::addColumn<bool>("clipboardTakes");
        QTest::addColumn<QString>("status");
        QTest::newRow("taken") << true << "Copied!";
        QTest::newRow("refused") << false << "Failed copying to clipboard, please try again";
    }
    void copy() {
        QFETCH(bool, clipboardTakes);
        QFETCH(QString, status);
        Form1 form({});
        QStringList offered;
        Clipboard::SetPlatformPutForTesting([&](const QString& text) {
            offered << text;
            return clipboardTakes;
        });
        form.SetStatusLabel("before");
        QTest::mouseClick(form.btTabMultipleCopy, Qt::LeftButton);
        QCOMPARE(form.toolStripStatusLabel->text(), QString("before"));
        QVERIFY(offered.isEmpty());

        auto result = std::make_shared<OutputArguments>();
        result->L_Files = Paths({"@a.txt", "@gone.bin"});
        result->L_Hashes = QStringList{kAbcMd5, "Error (2) opening gone.bin"};
        result->tab = ETab::MULTIPLE_FILES;
        form.TabMultipleShowResult(result);
        QTest::mouseClick(form.btTabMultipleCopy, Qt::LeftButton);
        QCOMPARE(form.toolStripStatusLabel->text(), status);
        const QString report = Block("a.txt", "3", "MD5       : " + kAbcMd5) +
                               "\n\nFile      : gone.bin\n!Failed!  : Error (2) opening gone.bin";
        QCOMPARE(offered.value(0), report);
        QCOMPARE(offered.size(), clipboardTakes ? 1 : Clipboard::kAttempts);
    }

    // The real clipboard keeps the report, no-break spaces and all.
    void copyToRealClipboard() {
        Form1 form({});
        form.rtbTabMultiple->setPlainText(QString("File      : a") + QChar(0x00A0) + "b.txt\nMD5       : X");
        QTest::mouseClick(form.btTabMultipleCopy, Qt::LeftButton);
        QCOMPARE(form.toolStripStatusLabel->text(), QString("Copied!"));
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QString("File      : a") + QChar(0x00A0) + "b.txt\nMD5       : X");
    }

    // The saved file, byte for byte: the header, one empty line, then each line of the report with
    // CR LF, UTF-8 without a byte-order mark.
    void save_data() {
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("two entries")
            << "File      : a.txt\nMD5       : X\n\nFile      : b.txt\n!Failed!  : Error (2) opening b.txt"
            << "two.txt"
            << "two.txt"
            << QByteArray("File      : a.txt\r\nMD5       : X\r\n\r\nFile      : b.txt\r\n"
                          "!Failed!  : Error (2) opening b.txt\r\n");
        QTest::newRow("a report ending in a line feed leaves a final empty line")
            << "x\n"
            << "final.txt"
            << "final.txt" << QByteArray("x\r\n\r\n");
        QTest::newRow("name without extension gets .txt") << "x"
                                                          << "noext"
                                                          << "noext.txt" << QByteArray("x\r\n");
        QTest::newRow("other extension kept") << "x"
                                              << "report.log"
                                              << "report.log" << QByteArray("x\r\n");
        QTest::newRow("UTF-8 without a byte-order mark") << QString::fromUtf8("File      : caf\u00e9.txt") << "utf8.txt"
                                                         << "utf8.txt" << QByteArray("File      : caf\xc3\xa9.txt\r\n");
    }
    void save() {
        QFETCH(QString, report);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QFETCH(QByteArray, body);
        QTemporaryDir out;
        Form1 form({});
        form.rtbTabMultiple->setPlainText(report);
        form.SaveFileDialog.FileName = "left over";
        form.SaveFileDialog.Filter = "All files|*.*";
        FileDialogBase::QueueNextAnswer(QStringList{out.filePath(typed)});
        const QDateTime before = QDateTime::currentDateTime();
        QTest::mouseClick(form.btTabMultipleSaveAs, Qt::LeftButton);
        const QDateTime after = QDateTime::currentDateTime();
        QCOMPARE(form.toolStripStatusLabel->text(), QString("Saved"));
        QCOMPARE(form.SaveFileDialog.Filter, QString("Text files|*.txt"));
        QCOMPARE(form.SaveFileDialog.FileName, out.filePath(written));

        const QByteArray bytes = ReadAll(out.filePath(written));
        const qsizetype headerEnd = bytes.indexOf("\r\n\r\n");
        QVERIFY(headerEnd > 0);
        const QString header = QString::fromUtf8(bytes.left(headerEnd));
        QVERIFY2(HeaderCandidates(before, after).contains(header), qPrintable(header));
        QCOMPARE(bytes.mid(headerEnd + 4), body);
        QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList{written}); // nothing left beside it
        QCOMPARE(form.rtbTabMultiple->toPlainText(), report);
    }

    // The header reads like the report's own times: short date, a space, the long time, no zone.
    void saveHeaderFormat() {
        Form1 form({});
        form.rtbTabMultiple->setPlainText("x");
        QTemporaryDir out;
        FileDialogBase::QueueNextAnswer(QStringList{out.filePath("h.txt")});
        QTest::mouseClick(form.btTabMultipleSaveAs, Qt::LeftButton);
        const QString header = QString::fromUtf8(ReadAll(out.filePath("h.txt")).split('\r').first());
        const QRegularExpression us("^Generated at \\d{1,2}/\\d{1,2}/\\d\\d \\d{1,2}:\\d\\d:\\d\\d [AP]M$");
        QVERIFY2(us.match(header).hasMatch(), qPrintable(header));
    }

    // Saving over a longer file replaces it whole.
    void saveOverLongerFile() {
        QTemporaryDir out;
        const QString path = out.filePath("long.txt");
        QVERIFY(!MakeFile(path, QByteArray(100000, 'L')).isEmpty());
        Form1 form({});
        form.rtbTabMultiple->setPlainText("short");
        FileDialogBase::QueueNextAnswer(QStringList{path});
        QTest::mouseClick(form.btTabMultipleSaveAs, Qt::LeftButton);
        QCOMPARE(form.toolStripStatusLabel->text(), QString("Saved"));
        const QByteArray bytes = ReadAll(path);
        QVERIFY(bytes.startsWith("Generated at "));
        QVERIFY(bytes.endsWith("\r\n\r\nshort\r\n"));
        QVERIFY(!bytes.contains('L'));
        QVERIFY(bytes.size() < 100);
    }

    void saveCancelled() {
        QTemporaryDir out;
        Form1 form({});
        form.rtbTabMultiple->setPlainText("x");
        form.SaveFileDialog.FileName = "left over";
        FileDialogBase::QueueNextAnswer(std::nullopt);
        QTest::mouseClick(form.btTabMultipleSaveAs, Qt::LeftButton);
        QCOMPARE(form.toolStripStatusLabel->text(), QString("Cancelled"));
        QCOMPARE(form.SaveFileDialog.FileName, QString());
        QCOMPARE(form.rtbTabMultiple->toPlainText(), QString("x"));
    }

    // A target that cannot be written: the status line says so and why, the report stays, an old
    // file there keeps its content, and the next save works.
    void saveFailure_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("needsNonRoot");
        QTest::newRow("under a regular file") << "@a.txt/report.txt" << false;
        QTest::newRow("in a missing folder") << "@no such folder/report.txt" << false;
        QTest::newRow("a folder") << "@folder.txt" << false;
        QTest::newRow("in a read-only folder") << "@readonly/report.txt" << true;
    }
    void saveFailure() {
        QFETCH(QString, target);
        QFETCH(bool, needsNonRoot);
        if (needsNonRoot && ::geteuid() == 0) {
            QSKIP("the superuser writes into read-only folders");
        }
        QTemporaryDir out;
        QVERIFY(QDir(out.path()).mkdir("folder.txt"));
        QVERIFY(QDir(out.path()).mkdir("readonly"));
        QVERIFY(!MakeFile(out.filePath("a.txt"), "old").isEmpty());
        QVERIFY(QFile::setPermissions(out.filePath("readonly"), QFile::ReadOwner | QFile::ExeOwner));
        const QString path = out.filePath(target.mid(1));

        Form1 form({});
        form.rtbTabMultiple->setPlainText("the report");
        FileDialogBase::QueueNextAnswer(QStringList{path});
        QTest::mouseClick(form.btTabMultipleSaveAs, Qt::LeftButton);
        const QString status = form.toolStripStatusLabel->text();
        QVERIFY2(status.startsWith("Not saved: ") && status.size() > QString("Not saved: ").size() + 3,
                 qPrintable(status));
        QVERIFY(!status.contains("Saved"));
        QCOMPARE(form.rtbTabMultiple->toPlainText(), QString("the report"));
        QCOMPARE(ReadAll(out.filePath("a.txt")), QByteArray("old"));
        QVERIFY(QFileInfo(out.filePath("folder.txt")).isDir());
        QVERIFY(!QFile::exists(path) || QFileInfo(path).isDir());
        QVERIFY(AllEnabled(form, true));

        FileDialogBase::QueueNextAnswer(QStringList{out.filePath("ok.txt")});
        QTest::mouseClick(form.btTabMultipleSaveAs, Qt::LeftButton);
        QCOMPARE(form.toolStripStatusLabel->text(), QString("Saved"));
        QVERIFY(ReadAll(out.filePath("ok.txt")).endsWith("\r\n\r\nthe report\r\n"));
        QFile::setPermissions(out.filePath("readonly"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // Copy, Save and Open with nothing in the view do nothing at all.
    void emptyReportDoesNothing() {
        QTemporaryDir temp;
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
        int opened = 0;
        Desktop::SetOpenUrlForTesting([&](const QUrl&) {
            ++opened;
            return true;
        });
        int offered = 0;
        Clipboard::SetPlatformPutForTesting([&](const QString&) {
            ++offered;
            return true;
        });
        Form1 form({});
        form.SetStatusLabel("before");
        FileDialogBase::QueueNextAnswer(QStringList{temp.filePath("never.txt")});
        for (QPushButton* b : {form.btTabMultipleCopy, form.btTabMultipleSaveAs, form.btTabMultipleOpenNotepad}) {
            QTest::mouseClick(b, Qt::LeftButton);
        }
        QCOMPARE(form.toolStripStatusLabel->text(), QString("before"));
        QCOMPARE(FileDialogBase::QueuedAnswerCount(), 1);
        QCOMPARE(opened, 0);
        QCOMPARE(offered, 0);
        QVERIFY(form.L_TempFiles.isEmpty());
        QCOMPARE(QDir(temp.path()).entryList(QDir::Files), QStringList());
        qunsetenv("TMPDIR");
    }

    // Each open writes a new ".txt" file in the temp folder, records it, then hands it to the
    // desktop; whether or not an editor starts, every recorded file goes when the window closes.
    void openInEditor_data() {
        QTest::addColumn<bool>("editorStarts");
        QTest::addColumn<QString>("status");
        QTest::newRow("editor starts") << true << "before";
        QTest::newRow("no editor") << false << "No text editor could be started";
    }
    void openInEditor() {
        QFETCH(bool, editorStarts);
        QFETCH(QString, status);
        QTemporaryDir temp;
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
        Form1 form({});
        form.show();
        QList<QUrl> urls;
        QStringList recordedWhenOpened;
        Desktop::SetOpenUrlForTesting([&](const QUrl& url) {
            urls << url;
            recordedWhenOpened = form.L_TempFiles;
            return editorStarts;
        });
        form.rtbTabMultiple->setPlainText("File      : a.txt\nMD5       : X\n\nFile      : b.txt\nMD5       : Y");
        for (int i = 0; i < 2; ++i) {
            form.SetStatusLabel("before");
            QTest::mouseClick(form.btTabMultipleOpenNotepad, Qt::LeftButton);
            QCOMPARE(form.toolStripStatusLabel->text(), status);
            QCOMPARE(form.L_TempFiles.size(), i + 1);
            QCOMPARE(recordedWhenOpened, form.L_TempFiles);
        }
        const QStringList paths = form.L_TempFiles;
        QVERIFY(paths[0] != paths[1]);
        for (int i = 0; i < 2; ++i) {
            const QFileInfo info(paths[i]);
            QCOMPARE(info.absolutePath(), QFileInfo(temp.path()).absoluteFilePath());
            QCOMPARE(info.suffix(), QString("txt"));
            QCOMPARE(urls[i], QUrl::fromLocalFile(paths[i]));
            QCOMPARE(ReadAll(paths[i]),
                     QByteArray("File      : a.txt\r\nMD5       : X\r\n\r\nFile      : b.txt\r\nMD5       : Y\r\n"));
        }
        QCOMPARE(QDir(temp.path()).entryList(QDir::Files).size(), 2);
        QVERIFY(form.close());
        QVERIFY(!QFile::exists(paths[0]));
        QVERIFY(!QFile::exists(paths[1]));
        QCOMPARE(QDir(temp.path()).entryList(QDir::Files), QStringList());
        qunsetenv("TMPDIR");
    }

    // No temporary file can be made: the reason on the status line, nothing recorded or started,
    // nothing left anywhere.
    void openWithoutTempFolder_data() {
        QTest::addColumn<QString>("tmpdir");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing folder") << "missing"
                                        << "the temporary folder does not exist";
        QTest::newRow("a file, not a folder") << "file"
                                              << "";
    }
    void openWithoutTempFolder() {
        QFETCH(QString, tmpdir);
        QFETCH(QString, reason);
        QTemporaryDir temp;
        QVERIFY(!MakeFile(temp.filePath("file"), "x").isEmpty());
        qputenv("TMPDIR", QFile::encodeName(temp.filePath(tmpdir)));
        int opened = 0;
        Desktop::SetOpenUrlForTesting([&](const QUrl&) {
            ++opened;
            return true;
        });
        Form1 form({});
        form.rtbTabMultiple->setPlainText("x");
        QTest::mouseClick(form.btTabMultipleOpenNotepad, Qt::LeftButton);
        const QString status = form.toolStripStatusLabel->text();
        QVERIFY2(status.startsWith("Cannot create a temporary file: ") && status.size() > 35, qPrintable(status));
        QVERIFY2(status.endsWith(reason), qPrintable(status));
        QVERIFY(form.L_TempFiles.isEmpty());
        QCOMPARE(opened, 0);
        QCOMPARE(QDir(temp.path()).entryList(QDir::Files), QStringList{"file"});
        QCOMPARE(QDir("/").entryList({"quorvel-report-*"}, QDir::Files), QStringList());
        qunsetenv("TMPDIR");
    }
};

int main(int argc, char** argv) {
    // Fixed before Qt first reads them: a zone east of UTC without daylight saving, and US English.
    qputenv("TZ", "QRV-3");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication app(argc, argv);
    TestTabMultiple test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_tabmultiple.moc"

// The multiple-files report text, byte for byte: blocks, failure blocks, separators, the version
// line, counting and the status texts; the file details read from real files; and the general date
// and time text. Time zone and locale are pinned in main(), before Qt reads them.
#include "FileInfo.h"
#include "Report.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

using namespace quorvel;

namespace {

const QString kMd5 = "0123456789ABCDEF0123456789ABCDEF";
const QString kSha256 = "00112233445566778899AABBCCDDEEFF00112233445566778899AABBCCDDEEFF";

// A local time that every row's files share, and how US English writes it.
QDateTime Stamp() {
    return QDateTime(QDate(2026, 3, 7), QTime(9, 5, 3));
}
const QString kStampText = "3/7/26 9:05:03 AM";

OutputArguments Result(const QStringList& files, const QStringList& hashes, EAlgorithm alg) {
    OutputArguments result;
    result.L_Files = files;
    result.L_Hashes = hashes;
    result.alg = alg;
    result.tab = ETab::MULTIPLE_FILES;
    return result;
}

// Files that exist only in the test: their sizes by path; a path not listed is gone. Versions by
// file name; every path whose version was asked for is recorded.
struct FakeFiles {
    QMap<QString, int64_t> sizes;
    QMap<QString, QString> versions;
    QStringList versionReads;

    ReportFileReaders Readers() {
        ReportFileReaders readers;
        readers.details = [this](const QString& path) -> std::optional<FileDetails> {
            if (!sizes.contains(path)) {
                return std::nullopt;
            }
            return FileDetails{sizes.value(path), Stamp()};
        };
        readers.fileVersion = [this](const QString& path) {
            versionReads.append(path);
            return versions.value(FileNameOf(path));
        };
        return readers;
    }
};

const QLocale kUsEnglish(QLocale::English, QLocale::UnitedStates);

} // namespace

class TestReport : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void report_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("hashes");
        QTest::addColumn<QStringList>("gone");
        QTest::addColumn<int>("alg");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QStringList>("versionReads");

        QTest::newRow("no files") << QStringList() << QStringList() << QStringList() << int(EAlgorithm::MD5) << ""
                                  << "Done" << QStringList();

        QTest::newRow("one file") << QStringList{"/data/a.bin"} << QStringList{kMd5} << QStringList()
                                  << int(EAlgorithm::MD5)
                                  << "File      : a.bin\n"
                                     "Size      : 100 bytes\n"
                                     "Last write: 3/7/26 9:05:03 AM\n"
                                     "MD5       : " +
                                         kMd5
                                  << "Done" << QStringList();

        QTest::newRow("three files") << QStringList{"/data/a.bin", "/data/setup.exe", "/data/z.dll"}
                                     << QStringList{kSha256, kSha256, kSha256} << QStringList()
                                     << int(EAlgorithm::SHA256)
                                     << "File      : a.bin\n"
                                        "Size      : 100 bytes\n"
                                        "Last write: 3/7/26 9:05:03 AM\n"
                                        "SHA256    : " +
                                            kSha256 +
                                            "\r\n\r\n"
                                            "File      : setup.exe\n"
                                            "Version   : 1.2.3.4\n"
                                            "Size      : 0 bytes\n"
                                            "Last write: 3/7/26 9:05:03 AM\n"
                                            "SHA256    : " +
                                            kSha256 +
                                            "\r\n\r\n"
                                            "File      : z.dll\n"
                                            "Version   : \n"
                                            "Size      : 9223372036854775807 bytes\n"
                                            "Last write: 3/7/26 9:05:03 AM\n"
                                            "SHA256    : " +
                                            kSha256
                                     << "Done" << QStringList{"/data/setup.exe", "/data/z.dll"};

        QTest::newRow("gone in the middle") << QStringList{"/data/a.bin", "/data/gone.bin", "/data/setup.exe"}
                                            << QStringList{"AA", "Error (2) opening gone.bin", "BB"}
                                            << QStringList{"/data/gone.bin"} << int(EAlgorithm::SHA1)
                                            << "File      : a.bin\n"
                                               "Size      : 100 bytes\n"
                                               "Last write: 3/7/26 9:05:03 AM\n"
                                               "SHA1      : AA\r\n\r\n"
                                               "File      : gone.bin\n"
                                               "!Failed!  : Error (2) opening gone.bin\r\n\r\n"
                                               "File      : setup.exe\n"
                                               "Version   : 1.2.3.4\n"
                                               "Size      : 0 bytes\n"
                                               "Last write: 3/7/26 9:05:03 AM\n"
                                               "SHA1      : BB"
                                            << "Done - unable to hash 1 file" << QStringList{"/data/setup.exe"};

        // The job read it, then it went: the digest stays in the failure block.
        QTest::newRow("gone last, after hashing")
            << QStringList{"/data/a.bin", "/data/late.dll"} << QStringList{"AA", "CC"} << QStringList{"/data/late.dll"}
            << int(EAlgorithm::SHA512)
            << "File      : a.bin\n"
               "Size      : 100 bytes\n"
               "Last write: 3/7/26 9:05:03 AM\n"
               "SHA512    : AA\r\n\r\n"
               "File      : late.dll\n"
               "!Failed!  : CC"
            << "Done - unable to hash 1 file" << QStringList();

        QTest::newRow("two gone") << QStringList{"/x/one.bin", "/x/two.bin"}
                                  << QStringList{"Error (2) opening one.bin", "Error (2) opening two.bin"}
                                  << QStringList{"/x/one.bin", "/x/two.bin"} << int(EAlgorithm::SHA224)
                                  << "File      : one.bin\n"
                                     "!Failed!  : Error (2) opening one.bin\r\n\r\n"
                                     "File      : two.bin\n"
                                     "!Failed!  : Error (2) opening two.bin"
                                  << "Done - unable to hash 2 files" << QStringList();

        // The job could not open it, but it is there: a normal block with the open failure, not counted.
        QTest::newRow("unreadable but present")
            << QStringList{"/data/locked.bin"} << QStringList{"Error (13) opening locked.bin"} << QStringList()
            << int(EAlgorithm::SHA384)
            << "File      : locked.bin\n"
               "Size      : 0 bytes\n"
               "Last write: 3/7/26 9:05:03 AM\n"
               "SHA384    : Error (13) opening locked.bin"
            << "Done" << QStringList();
    }

    void report() {
        QFETCH(QStringList, files);
        QFETCH(QStringList, hashes);
        QFETCH(QStringList, gone);
        QFETCH(int, alg);
        QFETCH(QString, text);
        QFETCH(QString, status);
        QFETCH(QStringList, versionReads);

        FakeFiles fake;
        for (const QString& path : files) {
            if (!gone.contains(path)) {
                fake.sizes[path] = 0;
            }
        }
        fake.sizes["/data/a.bin"] = 100;
        fake.sizes["/data/z.dll"] = std::numeric_limits<int64_t>::max();
        for (const QString& path : gone) {
            fake.sizes.remove(path);
        }
        fake.versions["setup.exe"] = "1.2.3.4";

        ReportBuilder builder(Result(files, hashes, static_cast<EAlgorithm>(alg)), kUsEnglish, fake.Readers());
        QVERIFY(builder.PairsMatch());
        QCOMPARE(qsizetype(builder.FileCount()), files.size());
        QCOMPARE(builder.ProgressPercent(), 0);
        QString built;
        QStringList blocks;
        while (!builder.AtEnd()) {
            blocks.append(builder.NextBlock());
            built += blocks.back();
        }
        QCOMPARE(built, text);
        QCOMPARE(builder.FinalStatusText(), status);
        QCOMPARE(builder.FailureCount(), static_cast<int32_t>(gone.size()));
        QCOMPARE(fake.versionReads, versionReads);
        // Every block but the last carries the separator, and only at its end.
        for (qsizetype i = 0; i < blocks.size(); ++i) {
            QCOMPARE(blocks[i].count(kBlockSeparator), qsizetype(i + 1 < blocks.size() ? 1 : 0));
            QCOMPARE(blocks[i].endsWith(kBlockSeparator), i + 1 < blocks.size());
        }
        if (!files.isEmpty()) {
            QCOMPARE(builder.ProgressPercent(), 100);
        }

        fake.versionReads.clear();
        QCOMPARE(BuildReportText(Result(files, hashes, static_cast<EAlgorithm>(alg)), kUsEnglish, fake.Readers()),
                 text);
    }

    void algorithmLabels_data() {
        QTest::addColumn<int>("alg");
        QTest::addColumn<QString>("lastLine");
        QTest::newRow("MD5") << int(EAlgorithm::MD5) << "MD5       : D";
        QTest::newRow("SHA1") << int(EAlgorithm::SHA1) << "SHA1      : D";
        QTest::newRow("SHA224") << int(EAlgorithm::SHA224) << "SHA224    : D";
        QTest::newRow("SHA256") << int(EAlgorithm::SHA256) << "SHA256    : D";
        QTest::newRow("SHA384") << int(EAlgorithm::SHA384) << "SHA384    : D";
        QTest::newRow("SHA512") << int(EAlgorithm::SHA512) << "SHA512    : D";
    }

    void algorithmLabels() {
        QFETCH(int, alg);
        QFETCH(QString, lastLine);
        const QString block = NormalBlockText("f", std::nullopt, 1, "t", static_cast<EAlgorithm>(alg), "D");
        QCOMPARE(block, "File      : f\nSize      : 1 bytes\nLast write: t\n" + lastLine);
    }

    // Only names ending exactly in ".exe" or ".dll" get the version line.
    void versionLine_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("shown");
        QTest::newRow("setup.exe") << "setup.exe" << true;
        QTest::newRow("lib.dll") << "lib.dll" << true;
        QTest::newRow("SETUP.EXE") << "SETUP.EXE" << false;
        QTest::newRow("setup.Exe") << "setup.Exe" << false;
        QTest::newRow("lib.DLL") << "lib.DLL" << false;
        QTest::newRow("setup.msi") << "setup.msi" << false;
        QTest::newRow("lib.dll.gz") << "lib.dll.gz" << false;
        QTest::newRow("setup.exe.") << "setup.exe." << false;
        QTest::newRow("no extension") << "exe" << false;
        QTest::newRow("a name that is all extension") << ".dll" << true;
        QTest::newRow("dot in the folder only") << "v1.dll/readme" << false;
    }

    void versionLine() {
        QFETCH(QString, name);
        QFETCH(bool, shown);
        FakeFiles fake;
        const QString path = "/data/" + name;
        fake.sizes[path] = 7;
        fake.versions[FileNameOf(path)] = "9.9";
        ReportBuilder builder(Result({path}, {"D"}, EAlgorithm::MD5), kUsEnglish, fake.Readers());
        const QString block = builder.NextBlock();
        QCOMPARE(block.contains("\nVersion   : 9.9\n"), shown);
        QCOMPARE(block.startsWith("File      : " + FileNameOf(path) + "\n"), true);
        QCOMPARE(fake.versionReads.size(), qsizetype(shown ? 1 : 0));
        QCOMPARE(HasVersionLine(FileNameOf(path)), shown);
    }

    void extension_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("extension");
        QTest::newRow("plain") << "a.txt"
                               << ".txt";
        QTest::newRow("two dots") << "a.tar.gz"
                                  << ".gz";
        QTest::newRow("case kept") << "A.DLL"
                                   << ".DLL";
        QTest::newRow("none") << "Makefile"
                              << "";
        QTest::newRow("trailing dot") << "a."
                                      << ".";
        QTest::newRow("empty") << ""
                               << "";
    }

    void extension() {
        QFETCH(QString, name);
        QFETCH(QString, extension);
        QCOMPARE(ExtensionOf(name), extension);
    }

    void progress_data() {
        QTest::addColumn<int>("files");
        QTest::addColumn<QList<int>>("bar");
        QTest::newRow("one") << 1 << QList<int>{100};
        QTest::newRow("three") << 3 << QList<int>{33, 66, 100};
        QTest::newRow("seven") << 7 << QList<int>{14, 28, 42, 57, 71, 85, 100};
    }

    void progress() {
        QFETCH(int, files);
        QFETCH(QList<int>, bar);
        FakeFiles fake;
        QStringList paths;
        for (int i = 0; i < files; ++i) {
            paths.append(QString("/p/%1").arg(i));
        }
        ReportBuilder builder(Result(paths, paths, EAlgorithm::MD5), kUsEnglish, fake.Readers());
        QList<int> seen;
        while (!builder.AtEnd()) {
            builder.NextBlock();
            seen.append(builder.ProgressPercent());
        }
        QCOMPARE(seen, bar);
        // The quotient first, in double precision: 29 of 100 is just below 29 percent.
        QCOMPARE(ReportProgressPercent(29, 100), 28);
        QCOMPARE(ReportProgressPercent(0, 0), 0);
    }

    void mismatch() {
        FakeFiles fake;
        ReportBuilder builder(Result({"/a", "/b"}, {"A"}, EAlgorithm::MD5), kUsEnglish, fake.Readers());
        QVERIFY(!builder.PairsMatch());
        QCOMPARE(ReportMismatchText(), QString("Not all files were hashed. Something wrong occurred"));
        QCOMPARE(BuildReportText(Result({"/a", "/b"}, {"A"}, EAlgorithm::MD5), kUsEnglish, fake.Readers()), QString());
        QCOMPARE(ProcessingResultsText(), QString("Processing results..."));
    }

    void finalStatus_data() {
        QTest::addColumn<int>("failures");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << 0 << "Done";
        QTest::newRow("one") << 1 << "Done - unable to hash 1 file";
        QTest::newRow("two") << 2 << "Done - unable to hash 2 files";
        QTest::newRow("many") << 12345 << "Done - unable to hash 12345 files";
    }

    void finalStatus() {
        QFETCH(int, failures);
        QFETCH(QString, text);
        QCOMPARE(ReportFinalStatusText(failures), text);
    }

    // Real files, read when the report is built. The zone is UTC+3 (set in main), so a time
    // written as UTC shows three hours later.
    void realFiles() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QDateTime written(QDate(2024, 2, 29), QTime(23, 59, 58), Qt::UTC);
        auto make = [&](const QString& name, const QByteArray& content) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(content), content.size());
            QVERIFY(file.flush());
            QVERIFY(file.setFileTime(written, QFileDevice::FileModificationTime));
        };
        make("data.bin", "12345");
        make("lib.dll", "not a program");
        QVERIFY(QDir(dir.path()).mkdir("folder"));
        const QStringList paths{dir.filePath("data.bin"), dir.filePath("folder"), dir.filePath("gone.bin"),
                                dir.filePath("lib.dll")};
        const QStringList hashes{"AA", "Error (21) opening folder", "Error (2) opening gone.bin", "BB"};

        // The size is the one when the report is built, not when the job read the file.
        {
            QFile grow(dir.filePath("data.bin"));
            QVERIFY(grow.open(QIODevice::Append));
            grow.write("678");
            grow.close();
            QVERIFY(grow.open(QIODevice::ReadWrite));
            QVERIFY(grow.setFileTime(written, QFileDevice::FileModificationTime));
        }

        ReportBuilder builder(Result(paths, hashes, EAlgorithm::MD5)); // default locale and readers
        QString text;
        while (!builder.AtEnd()) {
            text += builder.NextBlock();
        }
        QCOMPARE(text, QString("File      : data.bin\n"
                               "Size      : 8 bytes\n"
                               "Last write: 3/1/24 2:59:58 AM\n"
                               "MD5       : AA\r\n\r\n"
                               "File      : folder\n"
                               "!Failed!  : Error (21) opening folder\r\n\r\n"
                               "File      : gone.bin\n"
                               "!Failed!  : Error (2) opening gone.bin\r\n\r\n"
                               "File      : lib.dll\n"
                               "Version   : \n"
                               "Size      : 13 bytes\n"
                               "Last write: 3/1/24 2:59:58 AM\n"
                               "MD5       : BB"));
        QCOMPARE(builder.FinalStatusText(), QString("Done - unable to hash 2 files"));
    }

    void fileDetails() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile file(dir.filePath("f.bin"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4097, 'x'));
        file.close();
        const std::optional<FileDetails> details = ReadFileDetails(file.fileName());
        QVERIFY(details.has_value());
        QCOMPARE(details->size, int64_t{4097});
        QCOMPARE(details->lastWrite.timeSpec(), Qt::LocalTime);

        QVERIFY(QFile::link(file.fileName(), dir.filePath("link")));
        QCOMPARE(ReadFileDetails(dir.filePath("link"))->size, int64_t{4097});
        QVERIFY(QFile::link(dir.filePath("nowhere"), dir.filePath("dangling")));
        QVERIFY(!ReadFileDetails(dir.filePath("dangling")).has_value());
        QVERIFY(!ReadFileDetails(dir.path()).has_value());
        QVERIFY(!ReadFileDetails(dir.filePath("missing")).has_value());
        QVERIFY(!ReadFileDetails(QString()).has_value());
        // A name longer than the file system allows is rejected by the system, not by us.
        QVERIFY(!ReadFileDetails(dir.filePath(QString(300, 'n'))).has_value());
    }

    void generalDateTime_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::newRow("US English") << kUsEnglish << kStampText;
        QTest::newRow("C falls back to US English") << QLocale::c() << kStampText;
        QTest::newRow("German, zone after the time")
            << QLocale(QLocale::German, QLocale::Germany) << "07.03.26 09:05:03";
        QTest::newRow("Chinese, zone before the time")
            << QLocale(QLocale::Chinese, QLocale::China) << "2026/3/7 09:05:03";
        QTest::newRow("Spanish, zone in brackets") << QLocale(QLocale::Spanish, QLocale::Spain) << "7/3/26 9:05:03";
        QTest::newRow("Bulgarian, quoted literals kept")
            << QLocale(QLocale::Bulgarian, QLocale::Bulgaria) << QString::fromUtf8("7.03.26 г. 9:05:03 ч.");
    }

    void generalDateTime() {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QCOMPARE(GeneralDateTimeText(Stamp(), locale), text);
        QVERIFY(!LongTimePatternWithoutZone(locale).contains('t'));
    }

    void generalDateTimeDefaultLocale() {
        // main() made US English the default.
        QCOMPARE(GeneralDateTimeText(Stamp()), kStampText);
    }
};

int main(int argc, char** argv) {
    // Fixed before Qt first reads them: a zone east of UTC without daylight saving, and US English.
    qputenv("TZ", "QRV-3");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QCoreApplication app(argc, argv);
    TestReport test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_report.moc"

// The PE version-resource reader on images built from tests/fixtures/pe/*.rc, on a library shipped
// by Debian, and on truncated and corrupted copies of them, which must all yield the empty version
// (or, where the damage misses what the reader uses, the right one) without crashing.
#include "PeVersion.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

#include <sys/stat.h>

using namespace quorvel;

namespace {

QString FixturePath(const QString& name) {
    return QStringLiteral(QUORVEL_PE_FIXTURE_DIR "/") + name;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

QString FromBytes(const QByteArray& bytes) {
    return PeFileVersionFromBytes(reinterpret_cast<const unsigned char*>(bytes.constData()),
                                  static_cast<size_t>(bytes.size()));
}

QString FromBlock(const QByteArray& bytes) {
    return FileVersionFromVersionBlock(reinterpret_cast<const unsigned char*>(bytes.constData()),
                                       static_cast<size_t>(bytes.size()));
}

uint32_t Get32(const QByteArray& b, qsizetype at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) {
        v = (v << 8) | static_cast<unsigned char>(b.at(at + i));
    }
    return v;
}

uint16_t Get16(const QByteArray& b, qsizetype at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(b.at(at)) |
                                 (static_cast<unsigned char>(b.at(at + 1)) << 8));
}

void Put32(QByteArray& b, qsizetype at, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    }
}

void Put16(QByteArray& b, qsizetype at, uint16_t v) {
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>(v >> 8);
}

QByteArray Utf16(const QString& text) {
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

// Where the fields that the corruptions aim at lie in versioned64.dll, found the way a hex editor
// user would: the headers by their fixed offsets, the version blocks by their UTF-16 keys.
struct Landmarks {
    qsizetype pe = 0;           // "PE\0\0"
    qsizetype optional = 0;     // optional header
    qsizetype sections = 0;     // section table
    qsizetype rsrcSection = -1; // the .rsrc section header
    qsizetype resourceRoot = 0; // file offset of the resource tree's root
    qsizetype versionBlock = 0; // VS_VERSION_INFO block
    qsizetype fileVersionBlock = 0;
    qsizetype versionEnd = 0; // end of the version data
};

Landmarks Locate(const QByteArray& image) {
    Landmarks m;
    m.pe = Get32(image, 0x3C);
    m.optional = m.pe + 24;
    m.sections = m.optional + Get16(image, m.pe + 20);
    for (int i = 0; i < Get16(image, m.pe + 6); ++i) {
        const qsizetype h = m.sections + 40 * i;
        if (image.mid(h, 5) == ".rsrc") {
            m.rsrcSection = h;
            m.resourceRoot = Get32(image, h + 20);
        }
    }
    m.versionBlock = image.indexOf(Utf16(QStringLiteral("VS_VERSION_INFO"))) - 6;
    m.fileVersionBlock = image.indexOf(Utf16(QStringLiteral("FileVersion"))) - 6;
    m.versionEnd = m.versionBlock + Get16(image, m.versionBlock);
    return m;
}

} // namespace

class TestPeVersion : public QObject {
    Q_OBJECT

private:
    QByteArray LoadFixture(const QString& name) {
        const QByteArray image = ReadAll(FixturePath(name));
        if (image.isEmpty()) {
            qWarning("fixture %s was not built", qPrintable(name));
        }
        return image;
    }

private Q_SLOTS:
    void initTestCase() {
        if (!QUORVEL_PE_TOOLS_FOUND) {
            QSKIP("mingw-w64 binutils (x86_64/i686-w64-mingw32-windres and -ld) or cpp are not installed, "
                  "so the PE fixtures were not built; scripts/deps installs them");
        }
    }

    void fixtures_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("version");
        QTest::newRow("64-bit library") << "versioned64.dll"
                                        << "1.2.3.4";
        QTest::newRow("64-bit program") << "versioned64.exe"
                                        << "1.2.3.4";
        QTest::newRow("32-bit library") << "versioned32.dll"
                                        << "1.2.3.4";
        QTest::newRow("32-bit program") << "versioned32.exe"
                                        << "1.2.3.4";
        QTest::newRow("listed translation first") << "translation.dll"
                                                  << "7, 0, 0, 0 deutsch";
        QTest::newRow("listed translation, 32-bit") << "translation32.dll"
                                                    << "7, 0, 0, 0 deutsch";
        QTest::newRow("US English without translation") << "usenglish.dll"
                                                        << "3.0 english";
        QTest::newRow("first table as last resort") << "firsttable.dll"
                                                    << "4.0 japanese";
        QTest::newRow("empty version skipped") << "emptyfirst.dll"
                                               << "5.0";
        QTest::newRow("beyond Latin-1") << "unicode.dll" << QStringLiteral("2.0 \u03B2 \u20AC");
        QTest::newRow("US English resource language") << "languages.dll"
                                                      << "6.0 english";
        QTest::newRow("no FileVersion string") << "nofileversion.dll"
                                               << "";
        QTest::newRow("no version resource") << "noversion.dll"
                                             << "";
    }

    void fixtures() {
        QFETCH(QString, file);
        QFETCH(QString, version);
        const QByteArray image = LoadFixture(file);
        QVERIFY(!image.isEmpty());
        QCOMPARE(ReadPeFileVersion(FixturePath(file)), version);
        QCOMPARE(FromBytes(image), version);
    }

    void realWorldLibrary() {
        const QString path = QStringLiteral(QUORVEL_WINPTHREAD_DLL);
        if (path.isEmpty()) {
            QSKIP("libwinpthread-1.dll not found: Debian package mingw-w64-x86-64-dev is not installed");
        }
        QCOMPARE(ReadPeFileVersion(path), QStringLiteral("1, 0, 0, 0"));
    }

    void notImages_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("text") << QByteArray("File      : a.dll\n");
        QTest::newRow("MZ alone") << QByteArray("MZ");
        QTest::newRow("DOS header of zeros") << (QByteArray("MZ") + QByteArray(62, '\0'));
        QTest::newRow("DOS header pointing at itself")
            << (QByteArray("MZ") + QByteArray(62, '\0') + QByteArray(64, 'x'));
    }

    void notImages() {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("not-an-image.dll"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(content), content.size());
        file.close();
        QCOMPARE(ReadPeFileVersion(path), QString());
        QCOMPARE(FromBytes(content), QString());
    }

    void notRegularFiles() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QCOMPARE(ReadPeFileVersion(dir.filePath(QStringLiteral("missing.dll"))), QString());
        QCOMPARE(ReadPeFileVersion(QString()), QString());
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.dll")));
        QCOMPARE(ReadPeFileVersion(dir.filePath(QStringLiteral("folder.dll"))), QString());
        // A FIFO with no writer: reading it the ordinary way would block the report for ever.
        const QString fifo = dir.filePath(QStringLiteral("pipe.exe"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QCOMPARE(ReadPeFileVersion(fifo), QString());
        // A link to an image reads as the image.
        const QByteArray image = LoadFixture(QStringLiteral("versioned64.dll"));
        QVERIFY(!image.isEmpty());
        const QString link = dir.filePath(QStringLiteral("link.dll"));
        QVERIFY(QFile::link(FixturePath(QStringLiteral("versioned64.dll")), link));
        QCOMPARE(ReadPeFileVersion(link), QStringLiteral("1.2.3.4"));
    }

    // Every prefix of an image: the version appears whole once the version data is complete, and
    // never in part or before.
    void truncatedCopies_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("version");
        QTest::newRow("64-bit") << "versioned64.dll"
                                << "1.2.3.4";
        QTest::newRow("32-bit") << "versioned32.exe"
                                << "1.2.3.4";
        QTest::newRow("two tables") << "translation.dll"
                                    << "7, 0, 0, 0 deutsch";
    }

    void truncatedCopies() {
        QFETCH(QString, file);
        QFETCH(QString, version);
        const QByteArray image = LoadFixture(file);
        QVERIFY(!image.isEmpty());
        const qsizetype versionText = image.indexOf(Utf16(version));
        QVERIFY(versionText > 0);
        const qsizetype needed = versionText + 2 * (version.size() + 1);
        for (qsizetype length = 0; length <= image.size(); ++length) {
            const QString got = FromBytes(image.left(length));
            if (length < needed) {
                QVERIFY2(got.isEmpty(), qPrintable(QStringLiteral("length %1 gave %2").arg(length).arg(got)));
            } else {
                QVERIFY2(got.isEmpty() || got == version, qPrintable(QStringLiteral("length %1").arg(length)));
            }
        }
        QCOMPARE(FromBytes(image), version);

        // The same through files, where a cut lands in the middle of what is read.
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        for (const qsizetype length : {qsizetype(1), qsizetype(63), qsizetype(64), Get32(image, 0x3C) + qsizetype(24),
                                       needed - 1, image.size() / 2}) {
            const QString path = dir.filePath(QStringLiteral("cut-%1.dll").arg(length));
            QFile out(path);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(image.left(length));
            out.close();
            QCOMPARE(ReadPeFileVersion(path), QString());
        }
    }

    void corruptedHeaders_data() {
        QTest::addColumn<int>("what");
        QTest::addColumn<QString>("version");
        // Each row damages one field of versioned64.dll; see corruptedHeaders().
        const char* const names[] = {"no MZ",
                                     "PE offset beyond the file",
                                     "PE offset 4 GiB",
                                     "PE offset two bytes before the end",
                                     "no PE signature",
                                     "unknown optional header magic",
                                     "optional header too small for the resource slot",
                                     "optional header size 65535",
                                     "two data directories",
                                     "no resource directory",
                                     "resource RVA outside every section",
                                     "65535 sections",
                                     "no sections",
                                     "resource data beyond the file",
                                     "resource section without raw data",
                                     "65535 named entries at the root",
                                     "type entry leading back to the root",
                                     "type entry pointing to a data entry",
                                     "version data size 2 GiB",
                                     "version data RVA at the section's end",
                                     "machine and time stamp changed",
                                     "virtual size zero means raw size"};
        const QString expected[] = {{},
                                    {},
                                    {},
                                    {},
                                    {},
                                    {},
                                    {},
                                    {},
                                    {},
                                    {},
                                    {},
                                    {},
                                    {},
                                    {},
                                    {},
                                    {},
                                    {},
                                    {},
                                    {},
                                    {},
                                    QStringLiteral("1.2.3.4"),
                                    QStringLiteral("1.2.3.4")};
        static_assert(std::size(names) == std::size(expected));
        for (int i = 0; i < int(std::size(names)); ++i) {
            QTest::newRow(names[i]) << i << expected[i];
        }
    }

    void corruptedHeaders() {
        QFETCH(int, what);
        QFETCH(QString, version);
        QByteArray image = LoadFixture(QStringLiteral("versioned64.dll"));
        QVERIFY(!image.isEmpty());
        const Landmarks m = Locate(image);
        QVERIFY(m.rsrcSection > 0);
        const qsizetype rsrcVa = Get32(image, m.rsrcSection + 12);
        const qsizetype root = m.resourceRoot;
        const qsizetype typeEntry = root + 16; // the only type: 16
        const qsizetype nameDir = root + (Get32(image, typeEntry + 4) & 0x7FFFFFFF);
        const qsizetype langDir = root + (Get32(image, nameDir + 16 + 4) & 0x7FFFFFFF);
        const qsizetype dataEntry = root + Get32(image, langDir + 16 + 4);
        QCOMPARE(Get32(image, typeEntry), 16u);
        QCOMPARE(static_cast<qsizetype>(Get32(image, dataEntry)) - rsrcVa + root, m.versionBlock);
        switch (what) {
        case 0:
            image[0] = 'X';
            break;
        case 1:
            Put32(image, 0x3C, static_cast<uint32_t>(image.size()));
            break;
        case 2:
            Put32(image, 0x3C, 0xFFFFFFFFu);
            break;
        case 3:
            Put32(image, 0x3C, static_cast<uint32_t>(image.size() - 2));
            break;
        case 4:
            image[m.pe + 1] = 'Q';
            break;
        case 5:
            Put16(image, m.optional, 0x30B);
            break;
        case 6:
            Put16(image, m.pe + 20, 112 + 2 * 8 + 4);
            break;
        case 7:
            Put16(image, m.pe + 20, 0xFFFF);
            break;
        case 8:
            Put32(image, m.optional + 108, 2);
            break;
        case 9:
            Put32(image, m.optional + 112 + 16, 0);
            break;
        case 10:
            Put32(image, m.optional + 112 + 16, 0x7FFFFFF0u);
            break;
        case 11:
            Put16(image, m.pe + 6, 0xFFFF);
            break;
        case 12:
            Put16(image, m.pe + 6, 0);
            break;
        case 13:
            Put32(image, m.rsrcSection + 20, 0xFFFFFE00u);
            break;
        case 14:
            Put32(image, m.rsrcSection + 16, 0);
            break;
        case 15:
            Put16(image, root + 12, 0xFFFF);
            break;
        case 16:
            Put32(image, typeEntry + 4, 0x80000000u);
            break;
        case 17:
            Put32(image, typeEntry + 4, Get32(image, typeEntry + 4) & 0x7FFFFFFF);
            break;
        case 18:
            Put32(image, dataEntry + 4, 0x80000000u);
            break;
        case 19:
            Put32(image, dataEntry, static_cast<uint32_t>(rsrcVa + Get32(image, m.rsrcSection + 8) - 4));
            break;
        case 20:
            Put16(image, m.pe + 4, 0x1234);
            Put32(image, m.pe + 8, 0xDEADBEEFu);
            break;
        case 21:
            Put32(image, m.rsrcSection + 8, 0);
            break;
        }
        QCOMPARE(FromBytes(image), version);
    }

    // One field of the version data damaged; the block is read on its own.
    void corruptedVersionData_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("version");
        QTest::newRow("intact") << "none" << 0 << "1.2.3.4";
        QTest::newRow("root length 0") << "root length" << 0 << "";
        QTest::newRow("root length 5") << "root length" << 5 << "";
        QTest::newRow("root length past the data") << "root length" << 0xFFFF << "";
        QTest::newRow("string length 0") << "string length" << 0 << "";
        QTest::newRow("string length past its table") << "string length" << 0xFFFF << "";
        QTest::newRow("string key without its NUL") << "string length" << 6 + 22 << "";
        QTest::newRow("string text cut before its NUL") << "string length" << 6 + 24 + 6 << "";
        QTest::newRow("string value length 0") << "string value length" << 0 << "";
        QTest::newRow("string value length in bytes") << "string value length" << 16 << "1.2.3.4";
        QTest::newRow("no US English table") << "table key" << 0 << "1.2.3.4";
        QTest::newRow("translation cut short") << "translation value length" << 2 << "1.2.3.4";
        QTest::newRow("StringFileInfo renamed") << "StringFileInfo key" << 0 << "";
    }

    void corruptedVersionData() {
        QFETCH(QString, field);
        QFETCH(int, value);
        QFETCH(QString, version);
        const QByteArray image = LoadFixture(QStringLiteral("versioned64.dll"));
        QVERIFY(!image.isEmpty());
        const Landmarks m = Locate(image);
        QByteArray block = image.mid(m.versionBlock, m.versionEnd - m.versionBlock);
        const qsizetype string = m.fileVersionBlock - m.versionBlock;
        if (field == "root length") {
            Put16(block, 0, static_cast<uint16_t>(value));
        } else if (field == "string length") {
            Put16(block, string, static_cast<uint16_t>(value));
        } else if (field == "string value length") {
            Put16(block, string + 2, static_cast<uint16_t>(value));
        } else if (field == "table key") {
            const qsizetype key = block.indexOf(Utf16(QStringLiteral("040904B0")));
            block.replace(key, 16, Utf16(QStringLiteral("041904B0")));
        } else if (field == "translation value length") {
            Put16(block, block.indexOf(Utf16(QStringLiteral("Translation"))) - 4, static_cast<uint16_t>(value));
        } else if (field == "StringFileInfo key") {
            const qsizetype key = block.indexOf(Utf16(QStringLiteral("StringFileInfo")));
            block.replace(key, 2, Utf16(QStringLiteral("X")));
        }
        QCOMPARE(FromBlock(block), version);
    }

    // Every byte of a small image set to 0x00, to 0xFF and inverted in turn. Most copies lose the
    // version; none may crash or read outside the image (the sanitizer build checks that), and
    // damage to bytes the reader has no use for (the DOS stub, the padding after the version data)
    // must leave the version as it was.
    void everyByteCorrupted_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("64-bit library") << "versioned64.dll";
        QTest::newRow("32-bit program") << "versioned32.exe";
    }

    void everyByteCorrupted() {
        QFETCH(QString, file);
        const QByteArray image = LoadFixture(file);
        QVERIFY(!image.isEmpty());
        const Landmarks m = Locate(image);
        int lost = 0;
        for (qsizetype at = 0; at < image.size(); ++at) {
            for (const int pattern : {0x00, 0xFF, -1}) {
                QByteArray copy = image;
                copy[at] = static_cast<char>(pattern < 0 ? ~image.at(at) : pattern);
                const QString got = FromBytes(copy);
                const bool unused = (at >= 0x40 && at < m.pe) || at >= m.versionEnd;
                if (unused) {
                    QVERIFY2(got == QStringLiteral("1.2.3.4"), qPrintable(QStringLiteral("byte %1").arg(at)));
                }
                QVERIFY(got.size() < 0x8000);
                lost += got.isEmpty() ? 1 : 0;
            }
        }
        QVERIFY(lost > 0);
    }
};

QTEST_GUILESS_MAIN(TestPeVersion)
#include "tst_peversion.moc"

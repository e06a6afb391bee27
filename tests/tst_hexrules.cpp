// The hexadecimal input rules: key filter, text check, canonical form, byte count, conversion.
#include "HexRules.h"

#include <QTest>

#include <array>

using namespace quorvel;

class TestHexRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void validateKey_data();
    void validateKey();
    void validateKeyAgreesWithClasses();
    void textCheck_data();
    void textCheck();
    void canonicalForm_data();
    void canonicalForm();
    void byteCount_data();
    void byteCount();
    void conversion_data();
    void conversion();
    void conversionPartialWrites();
};

void TestHexRules::validateKey_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("typed");  // noSpace = true
    QTest::addColumn<bool>("inText"); // noSpace = false

    QTest::newRow("backspace") << 8 << true << true;
    QTest::newRow("tab") << 9 << true << true;
    QTest::newRow("Ctrl+V") << 22 << true << true;
    QTest::newRow("NUL") << 0 << true << true;
    QTest::newRow("space") << 32 << false << true;
    QTest::newRow("line feed") << 10 << false << false;
    QTest::newRow("carriage return") << 13 << false << false;
    QTest::newRow("!") << 33 << false << false;
    QTest::newRow("/") << 47 << false << false;
    QTest::newRow("0") << 48 << true << true;
    QTest::newRow("9") << 57 << true << true;
    QTest::newRow(":") << 58 << false << false;
    QTest::newRow("@") << 64 << false << false;
    QTest::newRow("A") << 65 << true << true;
    QTest::newRow("F") << 70 << true << true;
    QTest::newRow("G") << 71 << false << false;
    QTest::newRow("`") << 96 << false << false;
    QTest::newRow("a") << 97 << true << true;
    QTest::newRow("f") << 102 << true << true;
    QTest::newRow("g") << 103 << false << false;
    QTest::newRow("DEL") << 127 << false << false;
    QTest::newRow("e acute") << 0xE9 << false << false;
    QTest::newRow("negative") << -1 << true << true;
}

void TestHexRules::validateKey() {
    QFETCH(int, key);
    QFETCH(bool, typed);
    QFETCH(bool, inText);
    QCOMPARE(ValidateKey(key, true), typed);
    QCOMPARE(ValidateKey(key, false), inText);
}

void TestHexRules::validateKeyAgreesWithClasses() {
    // Over every UTF-16 code unit: digits, control codes other than CR/LF, and (in text) the space.
    for (int key = 0; key <= 0xFFFF; ++key) {
        const bool digit = (key >= '0' && key <= '9') || (key >= 'A' && key <= 'F') || (key >= 'a' && key <= 'f');
        const bool control = key < 32 && key != 10 && key != 13;
        QCOMPARE(ValidateKey(key, true), digit || control);
        QCOMPARE(ValidateKey(key, false), digit || control || key == 32);
    }
}

void TestHexRules::textCheck_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("acceptable");
    QTest::newRow("empty") << QString() << true;
    QTest::newRow("spaced pair") << "  a1 " << true;
    QTest::newRow("all digits") << "0123456789abcdefABCDEF" << true;
    QTest::newRow("tab inside") << "a1\tb2" << true;
    QTest::newRow("line feed") << "a1\nb2" << false;
    QTest::newRow("carriage return") << "a1\r" << false;
    QTest::newRow("capital G") << "a1G" << false;
    QTest::newRow("small g") << "g" << false;
    QTest::newRow("comma") << "a1,b2" << false;
    QTest::newRow("e acute") << QString::fromUtf8("a1\xC3\xA9") << false;
    QTest::newRow("surrogate pair") << QString::fromUtf8("\xF0\x9F\x98\x80") << false;
}

void TestHexRules::textCheck() {
    QFETCH(QString, text);
    QFETCH(bool, acceptable);
    QCOMPARE(hasInvalidData(text), acceptable);
}

void TestHexRules::canonicalForm_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("canonical");
    QTest::newRow("odd tail") << "a1b"
                              << "a1 b";
    QTest::newRow("surrounding spaces") << "  A1B2  "
                                        << "A1 B2";
    QTest::newRow("already canonical") << "A1 b2 C"
                                       << "A1 b2 C";
    QTest::newRow("misplaced spaces") << "A 1 B"
                                      << "A1 B";
    QTest::newRow("sixteen digits") << "0123456789abcdef"
                                    << "01 23 45 67 89 ab cd ef";
    QTest::newRow("abc") << "abc"
                         << "ab c";
    QTest::newRow("mixed case kept") << "aBcD"
                                     << "aB cD";
    QTest::newRow("single character") << "a"
                                      << "a";
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("only spaces") << "   " << QString();
    QTest::newRow("even, no trailing space") << "a1b2"
                                             << "a1 b2";
    QTest::newRow("tab counts as a character") << "a\tb2"
                                               << "a\t b2";
}

void TestHexRules::canonicalForm() {
    QFETCH(QString, text);
    QFETCH(QString, canonical);
    QCOMPARE(formatBytes(text), canonical);
    QCOMPARE(formatBytes(canonical), canonical);
}

void TestHexRules::byteCount_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("odd digit not counted") << "a1 b" << 1;
    QTest::newRow("two pairs") << "a1 b2" << 2;
    QTest::newRow("eight pairs") << "01 23 45 67 89 ab cd ef" << 8;
    QTest::newRow("tab, vertical tab, form feed are white space") << "a1\t\x0b\x0c b2" << 2;
    QTest::newRow("other control codes count") << "a\x01 b2" << 2;
}

void TestHexRules::byteCount() {
    QFETCH(QString, text);
    QFETCH(int, count);
    QCOMPARE(HexByteCount(text), count);
}

void TestHexRules::conversion_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("result");
    QTest::addColumn<QByteArray>("bytes"); // the bytes written when the result is not -1

    QTest::newRow("odd digit ignored") << "a1 b" << 2048 << 1 << QByteArray::fromHex("a1");
    QTest::newRow("unexamined Z") << "A1Z" << 2048 << 1 << QByteArray::fromHex("a1");
    QTest::newRow("Z in second pair") << "A1ZB" << 2048 << -1 << QByteArray();
    QTest::newRow("ZZ") << "ZZ" << 2048 << -1 << QByteArray();
    QTest::newRow("limit one") << "00ff" << 1 << 1 << QByteArray::fromHex("00");
    QTest::newRow("limit two") << "00ff" << 2 << 2 << QByteArray::fromHex("00ff");
    QTest::newRow("beyond the limit is not examined") << "00ffZZ" << 2 << 2 << QByteArray::fromHex("00ff");
    QTest::newRow("empty") << QString() << 2048 << 0 << QByteArray();
    QTest::newRow("single digit") << "7" << 2048 << 0 << QByteArray();
    QTest::newRow("spaces anywhere") << " 0 1 2 3 " << 2048 << 2 << QByteArray::fromHex("0123");
    QTest::newRow("both cases") << "aBcDeF" << 2048 << 3 << QByteArray::fromHex("abcdef");
    QTest::newRow("tab inside a pair") << "a\t1" << 2048 << -1 << QByteArray();
    QTest::newRow("sharp s does not shift pairs") << QString::fromUtf8("\xC3\x9F"
                                                                       "1")
                                                  << 2048 << -1 << QByteArray();
    QTest::newRow("limit zero") << "00ff" << 0 << 0 << QByteArray();
    QTest::newRow("negative limit") << "00ff" << -3 << 0 << QByteArray();
}

void TestHexRules::conversion() {
    QFETCH(QString, text);
    QFETCH(int, limit);
    QFETCH(int, result);
    QFETCH(QByteArray, bytes);

    std::array<unsigned char, 4096> output;
    output.fill(0x5A);
    QCOMPARE(ASCII_to_Hex(text, limit, output.data()), result);
    if (result >= 0) {
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(output.data()), result), bytes);
        QCOMPARE(output[static_cast<size_t>(result)], static_cast<unsigned char>(0x5A));
    }
}

void TestHexRules::conversionPartialWrites() {
    // A failing low digit leaves its high digit times 16 behind; the pairs before it are written.
    std::array<unsigned char, 8> output;
    output.fill(0);
    QCOMPARE(ASCII_to_Hex(QStringLiteral("12 3Z"), 8, output.data()), -1);
    QCOMPARE(output[0], static_cast<unsigned char>(0x12));
    QCOMPARE(output[1], static_cast<unsigned char>(0x30));

    // 2048 bytes fill a 2048-byte area exactly; a 2049th pair is never examined nor written.
    QString text;
    for (int i = 0; i < 2049; ++i) {
        text += QStringLiteral("%1").arg(i % 256, 2, 16, QLatin1Char('0'));
    }
    std::array<unsigned char, 2049> area;
    area.fill(0x77);
    QCOMPARE(ASCII_to_Hex(text, 2048, area.data()), 2048);
    QCOMPARE(area[2047], static_cast<unsigned char>(2047 % 256));
    QCOMPARE(area[2048], static_cast<unsigned char>(0x77));
}

QTEST_APPLESS_MAIN(TestHexRules)
#include "tst_hexrules.moc"

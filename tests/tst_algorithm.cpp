// Digest text, one-shot digests and the algorithm labels.
#include "Algorithm.h"

#include <QTest>

#include <array>

using namespace quorvel;

Q_DECLARE_METATYPE(quorvel::EAlgorithm)

namespace {

const QByteArray kTwoBlock256 = QByteArrayLiteral("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq");
const QByteArray kTwoBlock512 = QByteArrayLiteral("abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmno"
                                                  "ijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu");
const QByteArray kMd5Digits =
    QByteArrayLiteral("12345678901234567890123456789012345678901234567890123456789012345678901234567890");

QString OneShot(const QByteArray& data, EAlgorithm alg) {
    std::array<unsigned char, kMaxDigestLength> digest{};
    HashFromMemory(reinterpret_cast<const unsigned char*>(data.constData()), static_cast<int32_t>(data.size()), alg,
                   digest.data());
    return Hex_To_String(digest.data(), DigestLength(alg));
}

} // namespace

class TestAlgorithm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void knownAnswers_data();
    void knownAnswers();
    void hexText_data();
    void hexText();
    void unknownAlgorithmLeavesDigestAlone_data();
    void unknownAlgorithmLeavesDigestAlone();
    void writesOnlyTheDigestLength();
    void labels_data();
    void labels();
};

void TestAlgorithm::knownAnswers_data() {
    QTest::addColumn<EAlgorithm>("alg");
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QString>("expected");

    // RFC 1321 and FIPS 180-4 example messages.
    const struct {
        EAlgorithm alg;
        const char* name;
        const char* empty;
        const char* abc;
        const QByteArray& longMessage;
        const char* longDigest;
    } rows[] = {
        {EAlgorithm::MD5, "MD5", "D41D8CD98F00B204E9800998ECF8427E", "900150983CD24FB0D6963F7D28E17F72", kMd5Digits,
         "57EDF4A22BE3C955AC49DA2E2107B67A"},
        {EAlgorithm::SHA1, "SHA1", "DA39A3EE5E6B4B0D3255BFEF95601890AFD80709",
         "A9993E364706816ABA3E25717850C26C9CD0D89D", kTwoBlock256, "84983E441C3BD26EBAAE4AA1F95129E5E54670F1"},
        {EAlgorithm::SHA224, "SHA224", "D14A028C2A3A2BC9476102BB288234C415A2B01F828EA62AC5B3E42F",
         "23097D223405D8228642A477BDA255B32AADBCE4BDA0B3F7E36C9DA7", kTwoBlock256,
         "75388B16512776CC5DBA5DA1FD890150B0C6455CB4F58B1952522525"},
        {EAlgorithm::SHA256, "SHA256", "E3B0C44298FC1C149AFBF4C8996FB92427AE41E4649B934CA495991B7852B855",
         "BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD", kTwoBlock256,
         "248D6A61D20638B8E5C026930C3E6039A33CE45964FF2167F6ECEDD419DB06C1"},
        {EAlgorithm::SHA384, "SHA384",
         "38B060A751AC96384CD9327EB1B1E36A21FDB71114BE07434C0CC7BF63F6E1DA274EDEBFE76F65FBD51AD2F14898B95B",
         "CB00753F45A35E8BB5A03D699AC65007272C32AB0EDED1631A8B605A43FF5BED8086072BA1E7CC2358BAECA134C825A7",
         kTwoBlock512,
         "09330C33F71147E83D192FC782CD1B4753111B173B3B05D22FA08086E3B0F712FCC7C71A557E2DB966C3E9FA91746039"},
        {EAlgorithm::SHA512, "SHA512",
         "CF83E1357EEFB8BDF1542850D66D8007D620E4050B5715DC83F4A921D36CE9CE"
         "47D0D13C5D85F2B0FF8318D2877EEC2F63B931BD47417A81A538327AF927DA3E",
         "DDAF35A193617ABACC417349AE20413112E6FA4E89A97EA20A9EEEE64B55D39A"
         "2192992A274FC1A836BA3C23A3FEEBBD454D4423643CE80E2A9AC94FA54CA49F",
         kTwoBlock512,
         "8E959B75DAE313DA8CF4F72814FC143F8F7779C6EB9F7FA17299AEADB6889018"
         "501D289E4900F7E4331B99DEC4B5433AC7D329EEB6DD26545E96E55B874BE909"},
    };
    for (const auto& r : rows) {
        QTest::addRow("%s empty", r.name) << r.alg << QByteArray() << QString::fromLatin1(r.empty);
        QTest::addRow("%s abc", r.name) << r.alg << QByteArrayLiteral("abc") << QString::fromLatin1(r.abc);
        QTest::addRow("%s long", r.name) << r.alg << r.longMessage << QString::fromLatin1(r.longDigest);
    }
}

void TestAlgorithm::knownAnswers() {
    QFETCH(EAlgorithm, alg);
    QFETCH(QByteArray, message);
    QFETCH(QString, expected);
    QCOMPARE(OneShot(message, alg), expected);
    QCOMPARE(expected.size(), DigestLength(alg) * 2);
}

void TestAlgorithm::hexText_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("expected");
    const QByteArray sample = QByteArray::fromHex("000fa0ff");
    QTest::newRow("leading zeros, upper case") << sample << 4 << QStringLiteral("000FA0FF");
    QTest::newRow("prefix only") << sample << 2 << QStringLiteral("000F");
    QTest::newRow("zero length") << sample << 0 << QString();
    QTest::newRow("negative length") << sample << -5 << QString();
    QByteArray all;
    QString allText;
    for (int b = 0; b < 256; ++b) {
        all.append(static_cast<char>(b));
        allText += QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    }
    QTest::newRow("every byte value") << all << 256 << allText;
}

void TestAlgorithm::hexText() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, length);
    QFETCH(QString, expected);
    QCOMPARE(Hex_To_String(reinterpret_cast<const unsigned char*>(bytes.constData()), length), expected);
}

void TestAlgorithm::unknownAlgorithmLeavesDigestAlone_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("length");
    QTest::newRow("below range") << -1 << 3;
    QTest::newRow("above range") << 6 << 3;
    QTest::newRow("far out") << 1000 << 3;
    QTest::newRow("negative length") << 3 << -1;
}

void TestAlgorithm::unknownAlgorithmLeavesDigestAlone() {
    QFETCH(int, value);
    QFETCH(int, length);
    std::array<unsigned char, kMaxDigestLength> digest;
    digest.fill(0xAB);
    const unsigned char input[] = {'a', 'b', 'c'};
    HashFromMemory(input, length, static_cast<EAlgorithm>(value), digest.data());
    for (unsigned char b : digest) {
        QCOMPARE(b, static_cast<unsigned char>(0xAB));
    }
}

void TestAlgorithm::writesOnlyTheDigestLength() {
    // The manual-input tab hands an area of exactly the digest length.
    for (const AlgorithmInfo& info : kAlgorithms) {
        std::array<unsigned char, kMaxDigestLength + 1> digest;
        digest.fill(0xCD);
        HashFromMemory(nullptr, 0, info.alg, digest.data());
        for (size_t i = static_cast<size_t>(info.digestLength); i < digest.size(); ++i) {
            QCOMPARE(digest[i], static_cast<unsigned char>(0xCD));
        }
        QVERIFY(!std::all_of(digest.begin(), digest.begin() + info.digestLength, [](auto b) { return b == 0xCD; }));
    }
}

void TestAlgorithm::labels_data() {
    QTest::addColumn<EAlgorithm>("alg");
    QTest::addColumn<int>("digestLength");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("reportLabel");
    QTest::addColumn<QString>("summaryLabel");
    QTest::addColumn<QString>("performing");
    QTest::addColumn<QString>("match");
    QTest::addColumn<QString>("sizeHint");
    QTest::addColumn<QString>("updateFailure");

    QTest::newRow("MD5") << EAlgorithm::MD5 << 16 << "MD5"
                         << "MD5       : "
                         << "MD5     : "
                         << "Performing MD5..."
                         << "Matches with MD5"
                         << "MD5 size"
                         << "Internal MD5_Update error | ";
    QTest::newRow("SHA1") << EAlgorithm::SHA1 << 20 << "SHA-1"
                          << "SHA1      : "
                          << "SHA-1   : "
                          << "Performing SHA1..."
                          << "Matches with SHA1"
                          << "SHA1 size"
                          << "Internal SHA1_Update error | ";
    QTest::newRow("SHA224") << EAlgorithm::SHA224 << 28 << "SHA-224"
                            << "SHA224    : " << QString() << "Performing SHA224..."
                            << "Matches with SHA224"
                            << "SHA224 size"
                            << "Internal SHA224_Update error | ";
    QTest::newRow("SHA256") << EAlgorithm::SHA256 << 32 << "SHA-256"
                            << "SHA256    : "
                            << "SHA-256 : "
                            << "Performing SHA256..."
                            << "Matches with SHA256"
                            << "SHA256 size"
                            << "Internal SHA256_Update error | ";
    QTest::newRow("SHA384") << EAlgorithm::SHA384 << 48 << "SHA-384"
                            << "SHA384    : " << QString() << "Performing SHA384..."
                            << "Matches with SHA384"
                            << "SHA384 size"
                            << "Internal SHA384_Update error | ";
    QTest::newRow("SHA512") << EAlgorithm::SHA512 << 64 << "SHA-512"
                            << "SHA512    : "
                            << "SHA-512 : "
                            << "Performing SHA512..."
                            << "Matches with SHA512"
                            << "SHA512 size"
                            << "Internal SHA512_Update error | ";
}

void TestAlgorithm::labels() {
    QFETCH(EAlgorithm, alg);
    QFETCH(int, digestLength);
    QFETCH(QString, item);
    QFETCH(QString, reportLabel);
    QFETCH(QString, summaryLabel);
    QFETCH(QString, performing);
    QFETCH(QString, match);
    QFETCH(QString, sizeHint);
    QFETCH(QString, updateFailure);

    const AlgorithmInfo& info = Info(alg);
    QCOMPARE(info.alg, alg);
    QCOMPARE(DigestLength(alg), digestLength);
    QCOMPARE(QString::fromLatin1(info.itemText), item);
    QCOMPARE(QString::fromLatin1(info.reportLabel), reportLabel);
    QCOMPARE(QString::fromLatin1(info.reportLabel).size(), 12);
    QCOMPARE(info.summaryLabel ? QString::fromLatin1(info.summaryLabel) : QString(), summaryLabel);
    QCOMPARE(PerformingText(alg), performing);
    QCOMPARE(MatchText(alg), match);
    QCOMPARE(SizeHintText(alg), sizeHint);
    QCOMPARE(StepFailureText(alg, DigestStep::Update), updateFailure);
    QCOMPARE(StepFailureText(alg, DigestStep::Init),
             QString(updateFailure).replace(QStringLiteral("Update"), QStringLiteral("Init")));
    QCOMPARE(StepFailureText(alg, DigestStep::Final),
             QString(updateFailure).replace(QStringLiteral("Update"), QStringLiteral("Final")));
}

QTEST_APPLESS_MAIN(TestAlgorithm)
#include "tst_algorithm.moc"

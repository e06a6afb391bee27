#include "Algorithm.h"

#include "EvpDigest.h"

#include <openssl/evp.h>

namespace quorvel {

QString PerformingText(EAlgorithm alg) {
    return QStringLiteral("Performing %1...").arg(QLatin1String(Info(alg).stepName));
}

QString MatchText(EAlgorithm alg) {
    return QStringLiteral("Matches with %1").arg(QLatin1String(Info(alg).stepName));
}

QString SizeHintText(EAlgorithm alg) {
    return QStringLiteral("%1 size").arg(QLatin1String(Info(alg).stepName));
}

QString StepFailureText(EAlgorithm alg, DigestStep step) {
    const char* suffix = step == DigestStep::Init ? "_Init" : step == DigestStep::Update ? "_Update" : "_Final";
    return QStringLiteral("Internal %1%2 error | ").arg(QLatin1String(Info(alg).stepName), QLatin1String(suffix));
}

QString Hex_To_String(const unsigned char* ucBuffer, int32_t iLength) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    if (iLength <= 0) {
        return {};
    }
    QString text(qsizetype(iLength) * 2, Qt::Uninitialized);
    QChar* out = text.data();
    for (int32_t i = 0; i < iLength; ++i) {
        *out++ = QLatin1Char(kDigits[ucBuffer[i] >> 4]);
        *out++ = QLatin1Char(kDigits[ucBuffer[i] & 0x0F]);
    }
    return text;
}

void HashFromMemory(const unsigned char* abyBufferToHash, int32_t iBufferLen, EAlgorithm alg,
                    unsigned char* abyDigest) {
    // A negative length would reach OpenSSL as a length of about 4 GiB and read far past the buffer.
    if (!IsValidAlgorithm(alg) || iBufferLen < 0) {
        return;
    }
    unsigned int written = 0;
    unsigned char digest[EVP_MAX_MD_SIZE];
    // Digest into a local area first: the caller's area only has room for this algorithm's digest,
    // and a failed call must not leave half a digest behind.
    if (EVP_Digest(abyBufferToHash, static_cast<size_t>(iBufferLen), digest, &written, EvpMd(alg), nullptr) == 1) {
        std::copy_n(digest, DigestLength(alg), abyDigest);
    }
}

} // namespace quorvel

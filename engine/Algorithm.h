// The six digest algorithms: identities, lengths, the labels the user sees,
// the digest text and the one-shot digest of a memory buffer.
#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace quorvel {

// The numeric values are also the item indexes of the hash-choice combo boxes.
enum class EAlgorithm : int32_t { MD5 = 0, SHA1 = 1, SHA224 = 2, SHA256 = 3, SHA384 = 4, SHA512 = 5 };

inline constexpr int kAlgorithmCount = 6;
inline constexpr int kMaxDigestLength = 64;

// Every text under which the user meets an algorithm, in one place. Null where the
// single-file tab does not offer the algorithm.
struct AlgorithmInfo {
    EAlgorithm alg;
    int32_t digestLength;     // bytes
    const char* stepName;     // "SHA256": names the streaming steps in failure texts, status and match texts
    const char* itemText;     // "SHA-256": combo box items
    const char* reportLabel;  // "SHA256    : ", 12 characters
    const char* summaryLabel; // "SHA-256 : ", 10 characters, single-file algorithms only
};

inline constexpr std::array<AlgorithmInfo, kAlgorithmCount> kAlgorithms{{
    {EAlgorithm::MD5, 16, "MD5", "MD5", "MD5       : ", "MD5     : "},
    {EAlgorithm::SHA1, 20, "SHA1", "SHA-1", "SHA1      : ", "SHA-1   : "},
    {EAlgorithm::SHA224, 28, "SHA224", "SHA-224", "SHA224    : ", nullptr},
    {EAlgorithm::SHA256, 32, "SHA256", "SHA-256", "SHA256    : ", "SHA-256 : "},
    {EAlgorithm::SHA384, 48, "SHA384", "SHA-384", "SHA384    : ", nullptr},
    {EAlgorithm::SHA512, 64, "SHA512", "SHA-512", "SHA512    : ", "SHA-512 : "},
}};

// True for the six defined values; anything else (a corrupted or out-of-range value) is not an algorithm.
constexpr bool IsValidAlgorithm(EAlgorithm alg) {
    const auto v = static_cast<int32_t>(alg);
    return v >= 0 && v < kAlgorithmCount;
}

// Precondition: IsValidAlgorithm(alg).
constexpr const AlgorithmInfo& Info(EAlgorithm alg) {
    return kAlgorithms[static_cast<size_t>(alg)];
}

constexpr int32_t DigestLength(EAlgorithm alg) {
    return Info(alg).digestLength;
}

// "Performing SHA256..." on the status line when a single-file job starts.
QString PerformingText(EAlgorithm alg);
// "Matches with SHA256" when a verified digest matches.
QString MatchText(EAlgorithm alg);
// "SHA256 size" beside the verification entry.
QString SizeHintText(EAlgorithm alg);

enum class DigestStep { Init, Update, Final };
// "Internal SHA256_Update error | " — the file name follows it.
QString StepFailureText(EAlgorithm alg, DigestStep step);

// Two upper-case hexadecimal digits per byte, no separators; empty for iLength <= 0.
QString Hex_To_String(const unsigned char* ucBuffer, int32_t iLength);

// One-shot digest of iBufferLen bytes into abyDigest (at least DigestLength(alg) bytes).
// An unknown algorithm or a negative length leaves abyDigest as it was.
void HashFromMemory(const unsigned char* abyBufferToHash, int32_t iBufferLen, EAlgorithm alg, unsigned char* abyDigest);

} // namespace quorvel

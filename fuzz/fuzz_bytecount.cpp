// The byte count of an acceptable text does not change when the text is put in canonical form,
// and for a text of digits it is the number of complete pairs that the canonical form shows.

#include "FuzzText.h"
#include "HexRules.h"

#include <QStringList>

#include <cstddef>
#include <cstdint>

using quorvel::fuzz::IsHexDigit;
using quorvel::fuzz::TextFromFuzzBytes;

namespace {

// Digits, the space, and control codes other than LF and CR.
bool Acceptable(char16_t c) {
    return IsHexDigit(c) || c == u' ' || (c < 32 && c != u'\n' && c != u'\r');
}

// Of the acceptable characters, these are white space and so not counted.
bool Blank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString input = TextFromFuzzBytes(data, size);

    bool acceptable = true;
    bool digitsOnly = true;
    qsizetype counted = 0;
    for (const QChar c : input) {
        acceptable = acceptable && Acceptable(c.unicode());
        digitsOnly = digitsOnly && (c == QLatin1Char(' ') || IsHexDigit(c.unicode()));
        counted += Blank(c.unicode()) ? 0 : 1;
    }
    QUORVEL_FUZZ_CHECK(quorvel::hasInvalidData(input) == acceptable);
    if (!acceptable) {
        return 0;
    }

    const int32_t count = quorvel::HexByteCount(input);
    QUORVEL_FUZZ_CHECK(count == counted / 2);

    const QString canonical = quorvel::formatBytes(input);
    QUORVEL_FUZZ_CHECK(quorvel::HexByteCount(canonical) == count);

    if (digitsOnly) {
        qsizetype pairs = 0;
        for (const QString& group : canonical.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            pairs += group.size() == 2 ? 1 : 0;
        }
        QUORVEL_FUZZ_CHECK(count == pairs);
    }
    return 0;
}

// formatBytes: the canonical form is stable under a second pass, never starts, ends or doubles a
// space, keeps every other character in its order, and puts spaces exactly between pairs.

#include "FuzzText.h"
#include "HexRules.h"

#include <cstddef>
#include <cstdint>

using quorvel::fuzz::TextFromFuzzBytes;

namespace {

QString WithoutSpaces(const QString& text) {
    QString kept;
    for (const QChar c : text) {
        if (c != QLatin1Char(' ')) {
            kept.append(c);
        }
    }
    return kept;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString input = TextFromFuzzBytes(data, size);
    const QString canonical = quorvel::formatBytes(input);

    QUORVEL_FUZZ_CHECK(quorvel::formatBytes(canonical) == canonical);

    QUORVEL_FUZZ_CHECK(!canonical.startsWith(QLatin1Char(' ')));
    QUORVEL_FUZZ_CHECK(!canonical.endsWith(QLatin1Char(' ')));
    QUORVEL_FUZZ_CHECK(!canonical.contains(QLatin1String("  ")));

    const QString kept = WithoutSpaces(input);
    QUORVEL_FUZZ_CHECK(WithoutSpaces(canonical) == kept);

    // Pairs sit at columns 0-1, 3-4, 6-7...: a space at every third column and nowhere else.
    const qsizetype m = kept.size();
    QUORVEL_FUZZ_CHECK(canonical.size() == (m == 0 ? 0 : m + (m - 1) / 2));
    for (qsizetype i = 0; i < canonical.size(); ++i) {
        QUORVEL_FUZZ_CHECK((canonical[i] == QLatin1Char(' ')) == (i % 3 == 2));
    }
    return 0;
}

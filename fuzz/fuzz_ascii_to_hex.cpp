// ASCII_to_Hex: never writes outside the first iOutputMax bytes, and agrees byte for byte with a
// plain decoding written from the rules: -1 exactly when an examined pair holds a non-digit,
// otherwise the number of pairs, capped at the limit.

#include "FuzzText.h"
#include "HexRules.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/asan_interface.h>
#define QUORVEL_POISON(address, size) ASAN_POISON_MEMORY_REGION(address, size)
#define QUORVEL_UNPOISON(address, size) ASAN_UNPOISON_MEMORY_REGION(address, size)
#endif
#endif
#ifndef QUORVEL_POISON
#define QUORVEL_POISON(address, size) ((void)(address), (void)(size))
#define QUORVEL_UNPOISON(address, size) ((void)(address), (void)(size))
#endif

using quorvel::fuzz::TextFromFuzzBytes;

namespace {

constexpr unsigned char kUntouched = 0xA5; // not a multiple of 16, so never a half-written byte
constexpr size_t kCanary = 64;

int DigitValue(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    return -1;
}

// The output area: exactly `limit` bytes the function may use, followed by a canary that ASan
// reports on the first touch and that is checked afterwards in case ASan is absent.
class GuardedOutput {
public:
    explicit GuardedOutput(int32_t limit)
        : m_size(static_cast<size_t>(std::max(limit, 0))), m_bytes(new unsigned char[m_size + kCanary]) {
        std::fill_n(m_bytes.get(), m_size + kCanary, kUntouched);
        QUORVEL_POISON(m_bytes.get() + m_size, kCanary);
    }
    ~GuardedOutput() { QUORVEL_UNPOISON(m_bytes.get() + m_size, kCanary); }
    GuardedOutput(const GuardedOutput&) = delete;
    GuardedOutput& operator=(const GuardedOutput&) = delete;

    unsigned char* data() { return m_bytes.get(); }
    unsigned char operator[](size_t i) const { return m_bytes[i]; }
    size_t size() const { return m_size; }

    bool CanaryIntact() {
        QUORVEL_UNPOISON(m_bytes.get() + m_size, kCanary);
        const bool intact = std::all_of(m_bytes.get() + m_size, m_bytes.get() + m_size + kCanary,
                                        [](unsigned char b) { return b == kUntouched; });
        QUORVEL_POISON(m_bytes.get() + m_size, kCanary);
        return intact;
    }

private:
    size_t m_size;
    std::unique_ptr<unsigned char[]> m_bytes;
};

} // namespace

// The first byte sets the limit: -4 to 235 as it stands, or, from 0xF0 up, the number of pairs in
// the text plus 0 to 15, so that limits at and just above the text's own length are common.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const uint8_t limitByte = data[0];
    const QString input = TextFromFuzzBytes(data + 1, size - 1);

    std::vector<char16_t> packed;
    for (const QChar c : input) {
        if (c != QLatin1Char(' ')) {
            packed.push_back(c.unicode());
        }
    }
    const auto pairs = static_cast<int32_t>(packed.size() / 2);
    const int32_t limit = limitByte >= 0xF0 ? pairs + (limitByte - 0xF0) : static_cast<int32_t>(limitByte) - 4;

    GuardedOutput output(limit);
    const int32_t result = quorvel::ASCII_to_Hex(input, limit, output.data());
    QUORVEL_FUZZ_CHECK(output.CanaryIntact());

    if (limit <= 0) {
        // Nothing may be examined or written; a nonsensical negative limit must not produce a count.
        QUORVEL_FUZZ_CHECK(limit == 0 ? result == 0 : result <= 0);
        return 0;
    }

    // The plain decoding: which byte each examined pair should give, and where the first bad pair is.
    const int32_t n = std::min(pairs, limit);
    int32_t failingPair = -1;
    for (int32_t j = 0; j < n && failingPair < 0; ++j) {
        if (DigitValue(packed[2 * j]) < 0 || DigitValue(packed[2 * j + 1]) < 0) {
            failingPair = j;
        }
    }

    const int32_t decoded = failingPair < 0 ? n : failingPair;
    for (int32_t j = 0; j < decoded; ++j) {
        QUORVEL_FUZZ_CHECK(output[j] == DigitValue(packed[2 * j]) * 16 + DigitValue(packed[2 * j + 1]));
    }
    int32_t firstUntouched = decoded;
    if (failingPair < 0) {
        QUORVEL_FUZZ_CHECK(result == n);
    } else {
        QUORVEL_FUZZ_CHECK(result == -1);
        // A pair whose high digit is good but low digit bad is left holding the high digit times 16.
        const int high = DigitValue(packed[2 * failingPair]);
        if (high >= 0) {
            QUORVEL_FUZZ_CHECK(output[failingPair] == high * 16);
            firstUntouched = failingPair + 1;
        }
    }
    for (size_t i = static_cast<size_t>(firstUntouched); i < output.size(); ++i) {
        QUORVEL_FUZZ_CHECK(output[i] == kUntouched);
    }
    return 0;
}

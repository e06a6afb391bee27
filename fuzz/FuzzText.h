// Turns the fuzzer's bytes into the text the hexadecimal rules see, and a way to stop loudly.
#pragma once

#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace quorvel::fuzz {

// Prints what broke and aborts, so libFuzzer keeps the input as a crash.
[[noreturn]] inline void Violated(const char* property) {
    std::fprintf(stderr, "property violated: %s\n", property);
    std::abort();
}

#define QUORVEL_FUZZ_CHECK(condition)                                                                                  \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            ::quorvel::fuzz::Violated(#condition);                                                                     \
        }                                                                                                              \
    } while (false)

// Characters the rules care about: digits of both cases, spaces, the white-space controls the byte
// count skips, controls the text check lets through, and neighbours that must be refused or kept
// apart (G, g, Z, LF, CR, é, no-break space, em space, a lone surrogate).
inline constexpr std::array<char16_t, 32> kHexBiased{
    u'0', u'1', u'2', u'3', u'4', u'5', u'6', u'7', u'8', u'9',  u'a',  u'b',  u'c',    u'd', u'e',  u'f',
    u'A', u'B', u'C', u'D', u'E', u'F', u' ', u' ', u' ', u'\t', u'\v', u'\f', u'\x08', u'G', u'\n', u'Z'};
inline constexpr std::array<char16_t, 8> kHexBiasedRare{u'g',      u'\r',     u',',      u'\x16',
                                                        u'\u00E9', u'\u00A0', u'\u2003', u'\xD800'};

// The first byte chooses how the rest becomes text:
//   0: little-endian UTF-16 code units, taken as they are (lone surrogates included), so every code
//      unit the text box can hold is reachable;
//   1: one byte per character, Latin-1 (ASCII plus the first non-ASCII block);
//   2, 3: one byte per character from a table dense in digits and spaces, so that long runs of
//      valid pairs, which random code units almost never form, are common.
inline QString TextFromFuzzBytes(const uint8_t* data, size_t size) {
    QString text;
    if (size == 0) {
        return text;
    }
    const unsigned mode = data[0] & 3U;
    ++data;
    --size;
    if (mode == 0) {
        text.resize(static_cast<qsizetype>(size / 2));
        for (size_t i = 0; i + 1 < size; i += 2) {
            text[static_cast<qsizetype>(i / 2)] = QChar(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
        }
    } else if (mode == 1) {
        text.resize(static_cast<qsizetype>(size));
        for (size_t i = 0; i < size; ++i) {
            text[static_cast<qsizetype>(i)] = QChar(static_cast<char16_t>(data[i]));
        }
    } else {
        text.resize(static_cast<qsizetype>(size));
        for (size_t i = 0; i < size; ++i) {
            const uint8_t b = data[i];
            text[static_cast<qsizetype>(i)] =
                QChar(b < 0xE0 ? kHexBiased[b % kHexBiased.size()] : kHexBiasedRare[b % kHexBiasedRare.size()]);
        }
    }
    return text;
}

inline bool IsHexDigit(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

} // namespace quorvel::fuzz

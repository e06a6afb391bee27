#include "HexRules.h"

namespace quorvel {

bool ValidateKey(int32_t key, bool noSpace) {
    if (key == 13 || key == 10) {
        return false;
    }
    if ((key >= 33 && key <= 47) || (key >= 58 && key <= 64) || (key >= 71 && key <= 96)) {
        return false;
    }
    if (key >= 103) {
        return false;
    }
    if (key == 32 && noSpace) {
        return false;
    }
    return true;
}

bool hasInvalidData(const QString& str) {
    for (const QChar c : str) {
        if (!ValidateKey(c.unicode(), false)) {
            return false;
        }
    }
    return true;
}

QString formatBytes(const QString& str) {
    QString result;
    result.reserve(str.size() + str.size() / 2);
    qsizetype kept = 0;
    qsizetype total = 0;
    for (const QChar c : str) {
        total += c != QLatin1Char(' ') ? 1 : 0;
    }
    for (const QChar c : str) {
        if (c == QLatin1Char(' ')) {
            continue;
        }
        result.append(c);
        ++kept;
        if (kept % 2 == 0 && kept != total) {
            result.append(QLatin1Char(' '));
        }
    }
    return result;
}

int32_t HexByteCount(const QString& str) {
    qsizetype digits = 0;
    for (const QChar c : str) {
        digits += c.isSpace() ? 0 : 1;
    }
    return static_cast<int32_t>(digits / 2);
}

namespace {

// Value of an upper-case hexadecimal digit, or -1.
int DigitValue(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    return -1;
}

} // namespace

int32_t ASCII_to_Hex(const QString& strInputAscii, int32_t iOutputMax, unsigned char* ucOutput) {
    // Only a-f need raising: every other letter fails as a digit whatever its case, and a full
    // Unicode upper-casing could change the length (the German sharp s becomes two letters).
    QString digits;
    digits.reserve(strInputAscii.size());
    for (const QChar c : strInputAscii) {
        const char16_t u = c.unicode();
        if (u == u' ') {
            continue;
        }
        digits.append(u >= u'a' && u <= u'f' ? QChar(u - (u'a' - u'A')) : c);
    }
    qsizetype n = digits.size() / 2;
    if (n > iOutputMax) {
        n = iOutputMax;
    }
    for (qsizetype j = 0; j < n; ++j) {
        const int high = DigitValue(digits[2 * j].unicode());
        if (high < 0) {
            return -1;
        }
        ucOutput[j] = static_cast<unsigned char>(high * 16);
        const int low = DigitValue(digits[2 * j + 1].unicode());
        if (low < 0) {
            return -1;
        }
        ucOutput[j] = static_cast<unsigned char>(ucOutput[j] + low);
    }
    return n < 0 ? 0 : static_cast<int32_t>(n);
}

} // namespace quorvel

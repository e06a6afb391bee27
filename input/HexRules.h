// The rules behind the manual-input box: which keys pass, which texts are acceptable,
// their canonical spacing, how many bytes a text shows, and its conversion to bytes.
// Characters are judged by their UTF-16 code unit.
#pragma once

#include <QString>

#include <cstdint>

namespace quorvel {

// True when the character code is acceptable: hexadecimal digits and control codes other than
// CR and LF; a space only when noSpace is false (the text check), never as a typed key.
bool ValidateKey(int32_t key, bool noSpace);

// True when every character passes ValidateKey(code, false), and for the empty text.
// (True means acceptable, whatever the name suggests.)
bool hasInvalidData(const QString& str);

// Canonical form: spaces removed, then one space after every second character except the last.
QString formatBytes(const QString& str);

// Number of characters that are not white space, halved and rounded down.
int32_t HexByteCount(const QString& str);

// Decodes pairs of hexadecimal digits (spaces ignored) into at most iOutputMax bytes of ucOutput.
// Returns the number of bytes written, or -1 at the first examined character that is not a digit.
int32_t ASCII_to_Hex(const QString& strInputAscii, int32_t iOutputMax, unsigned char* ucOutput);

} // namespace quorvel

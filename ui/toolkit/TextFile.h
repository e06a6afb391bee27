// Writing the program's text files: UTF-8 without a byte-order mark, created anew or replacing
// an existing file as a whole.
#pragma once

#include <QString>

namespace quorvel {

// Writes text (line ends already in it) to path. The old content, if any, is replaced only once
// the new one is complete. Returns false with a description of the reason in *error (if given).
bool WriteTextFile(const QString& path, const QString& text, QString* error = nullptr);

// The text as the lines of a file: cut at every "\n", empty pieces kept, each piece followed by
// "\r\n". A text that ends in "\n" therefore leaves a final empty line.
QString WithCrLfLines(const QString& text);

} // namespace quorvel

// The PE version reader takes any bytes: an image, or the version data alone. Whatever comes in,
// it must return without crashing, reading outside the input or looping, and what it returns is a
// text that fits in the 64 KiB of version data, with no NUL in it.

#include "PeVersion.h"

#include <QString>

#include <cstddef>
#include <cstdint>

namespace {

void CheckVersion(const QString& version) {
    if (version.size() >= 0x8000 || version.contains(QChar(u'\0'))) {
        __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CheckVersion(quorvel::PeFileVersionFromBytes(data, size));
    // Inputs seldom get through the headers to the version data; feed them to its parser directly too.
    CheckVersion(quorvel::FileVersionFromVersionBlock(data, size));
    return 0;
}

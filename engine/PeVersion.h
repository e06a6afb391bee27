// Reads the "FileVersion" text of a Windows program or library (a PE image) from its version
// resource, as the report shows it. Linux has no version-information facility, so the resource
// is read straight from the file's bytes. Those bytes are untrusted: any input that is not a
// well-formed image with a version resource yields the empty text, never a crash or a hang.
#pragma once

#include <QString>

#include <cstddef>

namespace quorvel {

// The FileVersion string of the file at path; empty when the file is not a regular file, cannot be
// read, is no PE image, or has no version resource or no FileVersion in it.
QString ReadPeFileVersion(const QString& path);

// The same for an image held in memory.
QString PeFileVersionFromBytes(const unsigned char* data, size_t size);

// The FileVersion string of a version resource's data (a VS_VERSIONINFO block, the root of the
// resource) held in memory. The string table is chosen in this order: the first translation listed
// under VarFileInfo, then the US English tables 040904B0, 040904E4 and 04090000, then the first
// table; the first of them that holds a non-empty FileVersion gives it.
QString FileVersionFromVersionBlock(const unsigned char* data, size_t size);

} // namespace quorvel

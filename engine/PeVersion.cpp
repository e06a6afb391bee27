#include "PeVersion.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Layout of a PE image as far as the version resource is concerned (all fields little-endian):
//
//   offset 0        DOS header: "MZ", and at 0x3C the file offset of the PE signature
//   PE signature    "PE\0\0", then the 20-byte COFF header (section count at +6, size of the
//                   optional header at +20), then the optional header: magic 0x10B (PE32) or 0x20B
//                   (PE32+), the count of data directories at 92 / 108 and the directories at
//                   96 / 112, 8 bytes each (RVA, size); directory 2 is the resource table
//   section table   right after the optional header, 40 bytes per section: virtual size at 8,
//                   virtual address at 12, raw size at 16, raw file offset at 20
//   resource tree   three levels of directories (type, name, language); a directory is 16 bytes
//                   with the counts of named and numbered entries at 12 and 14, then 8-byte
//                   entries (name or id, offset); an offset with the top bit set is a subdirectory,
//                   else a 16-byte data entry (data RVA, size); offsets count from the tree's root
//   version data    VS_VERSIONINFO: nested blocks of (length, value length, type, UTF-16 key,
//                   padding to 4 bytes, value, padding, children)
//
// Every read goes through a source that checks offset and length against the file size, so no
// offset taken from the file can reach outside it; offsets are added in 64 bits, where sums of
// 32-bit fields cannot overflow.

namespace quorvel {

namespace {

constexpr uint32_t kResourceDirectoryIndex = 2;
constexpr uint32_t kVersionResourceType = 16; // RT_VERSION
constexpr uint32_t kVersionResourceName = 1;  // VS_VERSION_INFO
constexpr uint32_t kSubdirectoryFlag = 0x80000000u;
constexpr size_t kSectionHeaderSize = 40;
// wLength of a version block is 16 bits, so nothing of the version data lies beyond this.
constexpr uint32_t kMaxVersionDataSize = 0xFFFF;

uint16_t U16(const unsigned char* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t U32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Fills dst with len bytes from offset, or fails when any of them lies outside the data.
    bool Read(uint64_t offset, void* dst, size_t len) const {
        const uint64_t size = Size();
        if (offset > size || len > size - offset) {
            return false;
        }
        return len == 0 || ReadWithin(offset, dst, len);
    }

protected:
    virtual uint64_t Size() const = 0;
    virtual bool ReadWithin(uint64_t offset, void* dst, size_t len) const = 0;
};

class MemorySource final : public ByteSource {
public:
    MemorySource(const unsigned char* data, size_t size) : m_data(data), m_size(size) {}

protected:
    uint64_t Size() const override { return m_size; }
    bool ReadWithin(uint64_t offset, void* dst, size_t len) const override {
        std::memcpy(dst, m_data + offset, len);
        return true;
    }

private:
    const unsigned char* m_data;
    size_t m_size;
};

class FileSource final : public ByteSource {
public:
    explicit FileSource(const QString& path) {
        const QByteArray native = QFile::encodeName(path);
        // Non-blocking so that a FIFO that happens to be named *.exe cannot hang the report.
        m_fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (m_fd < 0) {
            return;
        }
        struct stat st {};
        if (::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0) {
            ::close(m_fd);
            m_fd = -1;
            return;
        }
        m_size = static_cast<uint64_t>(st.st_size);
    }
    ~FileSource() override {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    bool IsOpen() const { return m_fd >= 0; }

protected:
    uint64_t Size() const override { return m_size; }
    // The file may shrink after it was measured: a short read is a failed read.
    bool ReadWithin(uint64_t offset, void* dst, size_t len) const override {
        auto* out = static_cast<unsigned char*>(dst);
        while (len > 0) {
            const ssize_t n = ::pread(m_fd, out, len, static_cast<off_t>(offset));
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                return false;
            }
            out += n;
            len -= static_cast<size_t>(n);
            offset += static_cast<uint64_t>(n);
        }
        return true;
    }

private:
    int m_fd = -1;
    uint64_t m_size = 0;
};

struct Section {
    uint64_t virtualAddress;
    uint64_t mappedSize; // bytes backed by the file, from virtualAddress on
    uint64_t rawOffset;
};

// The image's sections, enough to turn an RVA into a file offset.
class SectionMap {
public:
    explicit SectionMap(std::vector<Section> sections) : m_sections(std::move(sections)) {}

    // The file offset of the len bytes at rva, when one section holds all of them in its file data.
    std::optional<uint64_t> FileOffset(uint64_t rva, uint64_t len) const {
        for (const Section& s : m_sections) {
            if (rva < s.virtualAddress) {
                continue;
            }
            const uint64_t into = rva - s.virtualAddress;
            if (into < s.mappedSize && len <= s.mappedSize - into) {
                return s.rawOffset + into;
            }
        }
        return std::nullopt;
    }

private:
    std::vector<Section> m_sections;
};

bool ReadAtRva(const ByteSource& src, const SectionMap& map, uint64_t rva, void* dst, size_t len) {
    const std::optional<uint64_t> offset = map.FileOffset(rva, len);
    return offset && src.Read(*offset, dst, len);
}

struct DirectoryEntry {
    uint32_t nameOrId;
    uint32_t offset;
    bool IsId(uint32_t id) const { return (nameOrId & kSubdirectoryFlag) == 0 && (nameOrId & 0xFFFF) == id; }
    bool IsSubdirectory() const { return (offset & kSubdirectoryFlag) != 0; }
    uint32_t Target() const { return offset & ~kSubdirectoryFlag; }
};

// The entries of the resource directory at rva; at most 2 x 65535 of them, read at once.
std::optional<std::vector<DirectoryEntry>> ReadDirectory(const ByteSource& src, const SectionMap& map, uint64_t rva) {
    std::array<unsigned char, 16> header{};
    if (!ReadAtRva(src, map, rva, header.data(), header.size())) {
        return std::nullopt;
    }
    const size_t count = size_t{U16(&header[12])} + U16(&header[14]);
    std::vector<unsigned char> raw(count * 8);
    if (!ReadAtRva(src, map, rva + header.size(), raw.data(), raw.size())) {
        return std::nullopt;
    }
    std::vector<DirectoryEntry> entries(count);
    for (size_t i = 0; i < count; ++i) {
        entries[i] = {U32(&raw[i * 8]), U32(&raw[i * 8 + 4])};
    }
    return entries;
}

// The entry with the given id, else the first entry when firstOtherwise is set.
const DirectoryEntry* FindEntry(const std::vector<DirectoryEntry>& entries, std::initializer_list<uint32_t> ids,
                                bool firstOtherwise) {
    for (const uint32_t id : ids) {
        const auto it =
            std::find_if(entries.begin(), entries.end(), [id](const DirectoryEntry& e) { return e.IsId(id); });
        if (it != entries.end()) {
            return &*it;
        }
    }
    return firstOtherwise && !entries.empty() ? &entries.front() : nullptr;
}

std::optional<SectionMap> ReadSections(const ByteSource& src, uint64_t tableOffset, uint16_t count) {
    std::vector<unsigned char> raw(size_t{count} * kSectionHeaderSize);
    if (!src.Read(tableOffset, raw.data(), raw.size())) {
        return std::nullopt;
    }
    std::vector<Section> sections;
    sections.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const unsigned char* h = &raw[i * kSectionHeaderSize];
        const uint32_t virtualSize = U32(h + 8);
        const uint32_t rawSize = U32(h + 16);
        // Past its raw data a section is zero-filled in memory; nothing of interest lives there.
        // Some linkers leave the virtual size 0, meaning the raw size.
        const uint32_t mapped = virtualSize == 0 ? rawSize : std::min(virtualSize, rawSize);
        sections.push_back({U32(h + 12), mapped, U32(h + 20)});
    }
    return SectionMap(std::move(sections));
}

// The version resource's data: type 16, name 1 (else the first name), language neutral, else
// US English, else the first one listed.
std::optional<std::vector<unsigned char>> ReadVersionResource(const ByteSource& src) {
    std::array<unsigned char, 64> dos{};
    if (!src.Read(0, dos.data(), dos.size()) || dos[0] != 'M' || dos[1] != 'Z') {
        return std::nullopt;
    }
    const uint64_t peOffset = U32(&dos[0x3C]);
    std::array<unsigned char, 24> fileHeader{};
    if (!src.Read(peOffset, fileHeader.data(), fileHeader.size()) || std::memcmp(fileHeader.data(), "PE\0\0", 4) != 0) {
        return std::nullopt;
    }
    const uint16_t sectionCount = U16(&fileHeader[6]);
    const uint16_t optionalSize = U16(&fileHeader[20]);
    std::vector<unsigned char> optional(optionalSize);
    const uint64_t optionalOffset = peOffset + fileHeader.size();
    if (optionalSize < 2 || !src.Read(optionalOffset, optional.data(), optional.size())) {
        return std::nullopt;
    }
    size_t directories = 0;
    switch (U16(optional.data())) {
    case 0x10B:
        directories = 96;
        break;
    case 0x20B:
        directories = 112;
        break;
    default:
        return std::nullopt;
    }
    const size_t resourceSlot = directories + kResourceDirectoryIndex * 8;
    if (optional.size() < resourceSlot + 8 || U32(&optional[directories - 4]) <= kResourceDirectoryIndex) {
        return std::nullopt;
    }
    const uint64_t root = U32(&optional[resourceSlot]);
    if (root == 0) {
        return std::nullopt;
    }
    const std::optional<SectionMap> map = ReadSections(src, optionalOffset + optionalSize, sectionCount);
    if (!map) {
        return std::nullopt;
    }

    // Exactly three levels; an entry that points back up the tree is only ever read as the level
    // it is found at, so a looped tree ends here like any other malformed one.
    const auto types = ReadDirectory(src, *map, root);
    const DirectoryEntry* type = types ? FindEntry(*types, {kVersionResourceType}, false) : nullptr;
    if (!type || !type->IsSubdirectory()) {
        return std::nullopt;
    }
    const auto names = ReadDirectory(src, *map, root + type->Target());
    const DirectoryEntry* name = names ? FindEntry(*names, {kVersionResourceName}, true) : nullptr;
    if (!name || !name->IsSubdirectory()) {
        return std::nullopt;
    }
    const auto languages = ReadDirectory(src, *map, root + name->Target());
    const DirectoryEntry* language = languages ? FindEntry(*languages, {0x0000, 0x0409}, true) : nullptr;
    if (!language || language->IsSubdirectory()) {
        return std::nullopt;
    }
    std::array<unsigned char, 16> dataEntry{};
    if (!ReadAtRva(src, *map, root + language->Target(), dataEntry.data(), dataEntry.size())) {
        return std::nullopt;
    }
    const uint32_t dataSize = std::min(U32(&dataEntry[4]), kMaxVersionDataSize);
    std::vector<unsigned char> data(dataSize);
    if (!ReadAtRva(src, *map, U32(&dataEntry[0]), data.data(), data.size())) {
        return std::nullopt;
    }
    return data;
}

// One block of the version data: [start, end) within the buffer. Offsets are relative to the start
// of the version data, which the resource format keeps 4-byte aligned.
struct VersionBlock {
    size_t start = 0;
    size_t end = 0;
    size_t valueStart = 0;
    uint16_t valueLength = 0; // as stored: bytes for binary values, characters for text
    uint16_t type = 0;        // 0 binary, 1 text
    size_t childrenStart = 0;
    QString key;
};

constexpr size_t Align4(size_t n) {
    return (n + 3) & ~size_t{3};
}

// Parses the block at start, which must lie wholly within [start, limit).
std::optional<VersionBlock> ParseBlock(const unsigned char* data, size_t limit, size_t start) {
    if (start > limit || limit - start < 6) {
        return std::nullopt;
    }
    const uint16_t length = U16(data + start);
    if (length < 6 || length > limit - start) {
        return std::nullopt;
    }
    VersionBlock block;
    block.start = start;
    block.end = start + length;
    block.valueLength = U16(data + start + 2);
    block.type = U16(data + start + 4);
    size_t pos = start + 6;
    for (;;) {
        if (block.end - pos < 2) {
            return std::nullopt; // key without its terminating NUL
        }
        const char16_t c = U16(data + pos);
        pos += 2;
        if (c == 0) {
            break;
        }
        block.key.append(QChar(c));
    }
    block.valueStart = std::min(Align4(pos), block.end);
    const size_t valueBytes = block.type == 1 ? size_t{block.valueLength} * 2 : block.valueLength;
    block.childrenStart =
        std::min(Align4(block.valueStart + std::min(valueBytes, block.end - block.valueStart)), block.end);
    return block;
}

// The children of a block, in order. Each one advances by at least 8 bytes, so this ends.
std::vector<VersionBlock> Children(const unsigned char* data, const VersionBlock& parent) {
    std::vector<VersionBlock> children;
    size_t pos = parent.childrenStart;
    while (pos < parent.end) {
        const std::optional<VersionBlock> child = ParseBlock(data, parent.end, pos);
        if (!child) {
            break;
        }
        children.push_back(*child);
        pos = Align4(child->end);
    }
    return children;
}

// A string's text runs from its value to its first NUL, which must lie within the block: a text
// cut off by its block's end is malformed, not a shorter version. Writers disagree about whether a
// string's value length counts characters or bytes, so the length only tells empty apart.
QString StringValue(const unsigned char* data, const VersionBlock& block) {
    QString text;
    if (block.valueLength == 0) {
        return text;
    }
    for (size_t pos = block.valueStart; block.end - pos >= 2; pos += 2) {
        const char16_t c = U16(data + pos);
        if (c == 0) {
            return text;
        }
        text.append(QChar(c));
    }
    return {};
}

bool SameKey(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString FileVersionOfTable(const unsigned char* data, const VersionBlock& table) {
    for (const VersionBlock& string : Children(data, table)) {
        if (SameKey(string.key, QStringLiteral("FileVersion"))) {
            return StringValue(data, string);
        }
    }
    return {};
}

} // namespace

// Four levels are looked at, root, StringFileInfo, string table and string, and nothing deeper.
QString FileVersionFromVersionBlock(const unsigned char* data, size_t size) {
    const std::optional<VersionBlock> root = ParseBlock(data, size, 0);
    if (!root) {
        return {};
    }
    std::vector<VersionBlock> tables;
    QString translation;
    bool haveStrings = false;
    bool haveTranslation = false;
    for (const VersionBlock& child : Children(data, *root)) {
        if (!haveStrings && SameKey(child.key, QStringLiteral("StringFileInfo"))) {
            haveStrings = true;
            tables = Children(data, child);
        } else if (!haveTranslation && SameKey(child.key, QStringLiteral("VarFileInfo"))) {
            haveTranslation = true;
            for (const VersionBlock& var : Children(data, child)) {
                if (SameKey(var.key, QStringLiteral("Translation")) && var.end - var.valueStart >= 4 &&
                    var.valueLength >= 4) {
                    // Language in the low word, code page in the high word.
                    const uint16_t lang = U16(data + var.valueStart);
                    const uint16_t codePage = U16(data + var.valueStart + 2);
                    translation = QStringLiteral("%1%2")
                                      .arg(lang, 4, 16, QLatin1Char('0'))
                                      .arg(codePage, 4, 16, QLatin1Char('0'))
                                      .toUpper();
                    break;
                }
            }
        }
    }
    if (tables.empty()) {
        return {};
    }

    std::vector<const VersionBlock*> candidates;
    for (const QString& key :
         {translation, QStringLiteral("040904B0"), QStringLiteral("040904E4"), QStringLiteral("04090000")}) {
        if (key.isEmpty()) {
            continue;
        }
        const auto it =
            std::find_if(tables.begin(), tables.end(), [&key](const VersionBlock& t) { return SameKey(t.key, key); });
        if (it != tables.end()) {
            candidates.push_back(&*it);
        }
    }
    candidates.push_back(&tables.front());
    for (const VersionBlock* table : candidates) {
        QString version = FileVersionOfTable(data, *table);
        if (!version.isEmpty()) {
            return version;
        }
    }
    return {};
}

QString PeFileVersionFromBytes(const unsigned char* data, size_t size) {
    const MemorySource src(data, size);
    const std::optional<std::vector<unsigned char>> block = ReadVersionResource(src);
    return block ? FileVersionFromVersionBlock(block->data(), block->size()) : QString();
}

QString ReadPeFileVersion(const QString& path) {
    const FileSource src(path);
    if (!src.IsOpen()) {
        return {};
    }
    const std::optional<std::vector<unsigned char>> block = ReadVersionResource(src);
    return block ? FileVersionFromVersionBlock(block->data(), block->size()) : QString();
}

} // namespace quorvel

// What the multiple-files report tells about a file besides its digest, read from the file
// system when the report is built, and the user's general date and time text.
#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <cstdint>
#include <optional>

namespace quorvel {

struct FileDetails {
    int64_t size = 0;    // bytes, at the time of reading
    QDateTime lastWrite; // last modification, local time
};

// Size and last write time of the file at path (symbolic links followed); nothing when the path
// names no file: it does not exist (any more), is a directory, or its name is rejected.
std::optional<FileDetails> ReadFileDetails(const QString& path);

// The locale's general date and time: its short date, a space and its long time, without the
// time-zone name that Qt's long time format ends with. The C locale has no patterns meant for
// people, so it is formatted as US English.
QString GeneralDateTimeText(const QDateTime& dateTime, const QLocale& locale = QLocale());

// The locale's long time pattern less its time-zone field and the spacing or brackets around it.
QString LongTimePatternWithoutZone(const QLocale& locale);

} // namespace quorvel

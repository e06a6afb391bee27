#include "FileInfo.h"

#include <QFileInfo>

namespace quorvel {

namespace {

QLocale PeopleLocale(const QLocale& locale) {
    return locale.language() == QLocale::C ? QLocale(QLocale::English, QLocale::UnitedStates) : locale;
}

void ChopTrailingSpace(QString& text) {
    while (!text.isEmpty() && text.back().isSpace()) {
        text.chop(1);
    }
}

} // namespace

std::optional<FileDetails> ReadFileDetails(const QString& path) {
    if (path.isEmpty()) {
        return std::nullopt;
    }
    const QFileInfo info(path);
    if (!info.exists() || info.isDir()) {
        return std::nullopt;
    }
    return FileDetails{info.size(), info.lastModified()};
}

QString LongTimePatternWithoutZone(const QLocale& locale) {
    // Patterns seen: "HH:mm:ss t", "t HH:mm:ss", "H:mm:ss (t)", "H:mm:ss 'ч'. t". Quoted text is
    // literal and kept whole, even where it holds a "t".
    const QString pattern = PeopleLocale(locale).timeFormat(QLocale::LongFormat);
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            out.append(c);
            ++i;
            continue;
        }
        if (quoted || c != QLatin1Char('t')) {
            out.append(c);
            ++i;
            continue;
        }
        while (i < pattern.size() && pattern.at(i) == QLatin1Char('t')) {
            ++i;
        }
        if (out.endsWith(QLatin1Char('(')) && i < pattern.size() && pattern.at(i) == QLatin1Char(')')) {
            out.chop(1);
            ++i;
        }
        if (!out.isEmpty() && out.back().isSpace()) {
            ChopTrailingSpace(out);
        } else {
            while (i < pattern.size() && pattern.at(i).isSpace()) {
                ++i;
            }
        }
    }
    ChopTrailingSpace(out);
    return out;
}

QString GeneralDateTimeText(const QDateTime& dateTime, const QLocale& locale) {
    const QLocale people = PeopleLocale(locale);
    return people.toString(dateTime, people.dateFormat(QLocale::ShortFormat) + QLatin1Char(' ') +
                                         LongTimePatternWithoutZone(people));
}

} // namespace quorvel

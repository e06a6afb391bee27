#include "TextFile.h"

#include <QSaveFile>
#include <QStringList>

namespace quorvel {

bool WriteTextFile(const QString& path, const QString& text, QString* error) {
    QSaveFile file(path);
    // No direct-write fallback: in a folder where only the file itself may be written, writing in
    // place could leave it truncated if the write failed halfway. Refusing keeps the old file whole.
    file.setDirectWriteFallback(false);
    const QByteArray bytes = text.toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error != nullptr) {
            *error = file.errorString();
        }
        file.cancelWriting();
        return false;
    }
    return true;
}

QString WithCrLfLines(const QString& text) {
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::KeepEmptyParts);
    QString out;
    out.reserve(text.size() + lines.size() * 2);
    for (const QString& line : lines) {
        out += line;
        out += QLatin1String("\r\n");
    }
    return out;
}

} // namespace quorvel

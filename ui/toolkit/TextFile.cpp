#include "TextFile.h"

#include <QSaveFile>

namespace quorvel {

bool WriteTextFile(const QString& path, const QString& text, QString* error) {
    QSaveFile file(path);
    // In a folder where only the file itself may be written, write it in place.
    file.setDirectWriteFallback(true);
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

} // namespace quorvel

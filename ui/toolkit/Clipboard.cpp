#include "Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QThread>

#include <stdexcept>

namespace quorvel {

namespace {

std::function<bool(const QString&)>& PlatformPutOverride() {
    static std::function<bool(const QString&)> put;
    return put;
}

// The clipboard API reports no failure; another program holding the selection shows up as
// the text not being there when read back.
bool PutOnce(const QString& text) {
    if (PlatformPutOverride()) {
        return PlatformPutOverride()(text);
    }
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        return false;
    }
    auto* data = new QMimeData;
    data->setText(text);
    clipboard->setMimeData(data, QClipboard::Clipboard);
    const QMimeData* now = clipboard->mimeData(QClipboard::Clipboard);
    return now != nullptr && now->hasText() && now->text() == text;
}

std::function<std::optional<QString>()>& PlatformGetOverride() {
    static std::function<std::optional<QString>()> get;
    return get;
}

} // namespace

std::optional<QString> Clipboard::GetText() {
    if (PlatformGetOverride()) {
        return PlatformGetOverride()();
    }
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        throw std::runtime_error("The clipboard is not available");
    }
    const QMimeData* data = clipboard->mimeData(QClipboard::Clipboard);
    if (data == nullptr || !data->hasText()) {
        return std::nullopt;
    }
    return data->text();
}

void Clipboard::SetPlatformGetForTesting(std::function<std::optional<QString>()> get) {
    PlatformGetOverride() = std::move(get);
}

bool Clipboard::SetText(const QString& text) {
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        if (PutOnce(text)) {
            return true;
        }
        if (attempt < kAttempts) {
            QThread::msleep(kRetryDelayMs);
        }
    }
    return false;
}

void Clipboard::SetPlatformPutForTesting(std::function<bool(const QString&)> put) {
    PlatformPutOverride() = std::move(put);
}

} // namespace quorvel

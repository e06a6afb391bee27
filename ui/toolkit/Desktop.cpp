#include "Desktop.h"

#include <QDesktopServices>

namespace quorvel {

namespace {

std::function<bool(const QUrl&)>& OpenUrlOverride() {
    static std::function<bool(const QUrl&)> open;
    return open;
}

} // namespace

bool Desktop::OpenUrl(const QUrl& url) {
    if (OpenUrlOverride()) {
        return OpenUrlOverride()(url);
    }
    return QDesktopServices::openUrl(url);
}

void Desktop::SetOpenUrlForTesting(std::function<bool(const QUrl&)> open) {
    OpenUrlOverride() = std::move(open);
}

} // namespace quorvel

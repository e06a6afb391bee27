// Handing things over to the desktop: a file to the application that opens its type, a web address
// to the browser. The desktop decides which program; the program is not told when it ends.
#pragma once

#include <QUrl>

#include <functional>

namespace quorvel {

class Desktop {
public:
    // Asks the desktop to open url (a local file in the default application for its type, a web
    // address in the browser) and returns at once; false when nothing could be started.
    static bool OpenUrl(const QUrl& url);

    // Test seam: when set, replaces the desktop; it returns whether something was started.
    static void SetOpenUrlForTesting(std::function<bool(const QUrl&)> open);
};

} // namespace quorvel

// The one way text reaches the clipboard: every copy button goes through here.
#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace quorvel {

class Clipboard {
public:
    static constexpr int kAttempts = 3;
    static constexpr int kRetryDelayMs = 100;

    // Puts plain text on the clipboard, trying up to kAttempts times kRetryDelayMs apart while the
    // clipboard does not take it. Returns whether it took it.
    static bool SetText(const QString& text);

    // Test seam: when set, replaces the platform clipboard; it returns whether the text was taken.
    static void SetPlatformPutForTesting(std::function<bool(const QString&)> put);

    // The clipboard's plain text, or nullopt when it holds none. Throws std::runtime_error, with a
    // description for the user, when the clipboard cannot be read.
    static std::optional<QString> GetText();

    // Test seam: when set, replaces the platform clipboard for reading; it may throw.
    static void SetPlatformGetForTesting(std::function<std::optional<QString>()> get);
};

} // namespace quorvel

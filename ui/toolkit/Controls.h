// Small stand-ins for the desktop controls the windows are drawn with: the flat "popup"
// buttons, the picture buttons, the rich text box, and the process-wide toolkit settings.
#pragma once

#include <QColor>
#include <QFont>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>

#include <functional>

class QApplication;
class QKeyEvent;
class QPushButton;
class QWidget;

namespace quorvel {

// Named colours of the desktop toolkit, as RGB.
namespace Colors {
inline const QColor White{255, 255, 255};
inline const QColor LightGreen{192, 255, 192};
inline const QColor LightYellow{255, 255, 192};
inline const QColor Green{128, 255, 128};
inline const QColor LightGray{211, 211, 211};
inline const QColor Silver{192, 192, 192};
inline const QColor Magenta{255, 0, 255};
inline const QColor ActiveCaption{153, 180, 209};
inline const QColor Control{240, 240, 240};
inline const QColor ButtonFace{225, 225, 225};
inline const QColor GrayText{109, 109, 109};
inline const QColor ManualBytesGreen{0, 192, 0};
} // namespace Colors

// Point sizes are the desktop toolkit's; fonts missing here are substituted (SetUpApplication).
QFont MakeFont(const QString& family, double pointSize, bool bold = false);

// The flat button that rises when the pointer is over it. An invalid colour means transparent.
void ApplyPopupStyle(QPushButton* button, const QColor& background);
// The standard raised button that shows a picture stretched over it.
void ApplyPictureButtonStyle(QPushButton* button, const QColor& background);

// Process-wide settings, made once before any window exists: the style, the font substitutes
// and the compiled-in pictures.
void SetUpApplication(QApplication& app);

// What a key handler can say about the key it was given.
struct KeyEventArgs {
    QKeyEvent* event = nullptr;
    bool Handled = false;          // the key does nothing further
    bool SuppressKeyPress = false; // no KeyPress follows and the key does nothing further
};
struct KeyPressEventArgs {
    QChar KeyChar;
    QKeyEvent* event = nullptr;
    bool Handled = false; // the character is not inserted
};

// Plain text with the key events and the typing limit of a rich text box.
class RichTextBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit RichTextBox(QWidget* parent = nullptr);

    // Typing and pasting stop at this many characters; 0 means no limit. Text set by the
    // program is not limited.
    int MaxLength = 0;

    std::function<void(QObject* sender, KeyEventArgs& e)> KeyDown;
    std::function<void(QObject* sender, KeyPressEventArgs& e)> KeyPress;
    std::function<void(QObject* sender, KeyEventArgs& e)> KeyUp;

    // Inserts text as the user's paste at the caret, in place of the selection, cut to the room
    // MaxLength leaves.
    void PastePlainText(const QString& text);

    // How many more characters the user may add in place of the current selection; -1 without a
    // limit.
    int Room() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
};

// A single-line box with the key events and the typing limit of a desktop text box.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);

    // Typing and pasting stop at this many characters; 0 means no limit. setText is not limited.
    int MaxLength = 0;

    std::function<void(QObject* sender, KeyEventArgs& e)> KeyDown;
    std::function<void(QObject* sender, KeyPressEventArgs& e)> KeyPress;
    std::function<void(QObject* sender, KeyEventArgs& e)> KeyUp;

    // Inserts text as the user's paste at the caret, in place of the selection, cut to the room
    // MaxLength leaves.
    void PastePlainText(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int Room() const;
};

} // namespace quorvel

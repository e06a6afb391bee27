#include "Controls.h"

#include "Pictures.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QStyleFactory>
#include <QTextCursor>

#include <limits>

namespace quorvel {

QFont MakeFont(const QString& family, double pointSize, bool bold) {
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

namespace {

QString Rgb(const QColor& c) {
    return QStringLiteral("rgb(%1, %2, %3)").arg(c.red()).arg(c.green()).arg(c.blue());
}

} // namespace

void ApplyPopupStyle(QPushButton* button, const QColor& background) {
    const QString fill = background.isValid() ? Rgb(background) : QStringLiteral("transparent");
    // Flat with a thin outline at rest; a raised edge under the pointer; sunken while pressed.
    button->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: black; border: 1px solid "
                                         "rgb(160, 160, 160); padding: 0px; }"
                                         "QPushButton:hover { border-width: 1px; border-style: solid; "
                                         "border-color: white rgb(105, 105, 105) rgb(105, 105, 105) white; }"
                                         "QPushButton:pressed { border-color: rgb(105, 105, 105) white white "
                                         "rgb(105, 105, 105); }"
                                         "QPushButton:disabled { color: %2; border-color: rgb(191, 191, 191); }"
                                         "QPushButton:focus { outline: none; }")
                              .arg(fill, Rgb(Colors::GrayText)));
}

void ApplyPictureButtonStyle(QPushButton* button, const QColor& background) {
    button->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid rgb(173, 173, 173); "
                                         "padding: 0px; }"
                                         "QPushButton:hover { background-color: rgb(229, 241, 251); "
                                         "border-color: rgb(0, 120, 215); }"
                                         "QPushButton:pressed { background-color: rgb(204, 228, 247); "
                                         "border-color: rgb(0, 84, 153); }")
                              .arg(Rgb(background)));
}

void SetUpApplication(QApplication& app) {
    InitPictures();
    // One look on every desktop, close to the flat desktop style the layout was drawn for.
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion"))) {
        QApplication::setStyle(style);
    }
    // Metric-compatible or same-kind stand-ins for the fonts the layout names.
    QFont::insertSubstitution(QStringLiteral("Calibri"), QStringLiteral("Carlito"));
    QFont::insertSubstitution(QStringLiteral("Consolas"), QStringLiteral("Inconsolata"));
    QFont::insertSubstitution(QStringLiteral("Segoe UI"), QStringLiteral("Noto Sans"));
    QFont::insertSubstitution(QStringLiteral("Segoe UI"), QStringLiteral("DejaVu Sans"));
    (void)app;
}

RichTextBox::RichTextBox(QWidget* parent) : QPlainTextEdit(parent) {}

int RichTextBox::Room() const {
    if (MaxLength <= 0) {
        return -1;
    }
    const QTextCursor cursor = textCursor();
    const int selected = cursor.selectionEnd() - cursor.selectionStart();
    // The document counts a paragraph separator per line break, as the text does.
    const int length = static_cast<int>(toPlainText().size());
    return std::max(0, MaxLength - (length - selected));
}

void RichTextBox::keyPressEvent(QKeyEvent* event) {
    KeyEventArgs down{event};
    if (KeyDown) {
        KeyDown(this, down);
    }
    if (down.Handled || down.SuppressKeyPress) {
        event->accept();
        return;
    }
    const QString text = event->text();
    const bool typesCharacter = !text.isEmpty() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
                                (text.at(0).isPrint() || text.at(0) == QLatin1Char('\r'));
    if (typesCharacter) {
        KeyPressEventArgs press{text.at(0), event};
        if (KeyPress) {
            KeyPress(this, press);
        }
        if (press.Handled) {
            event->accept();
            return;
        }
        if (Room() == 0 || (Room() > 0 && Room() < text.size())) {
            event->accept();
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(event);
}

void RichTextBox::keyReleaseEvent(QKeyEvent* event) {
    KeyEventArgs up{event};
    if (KeyUp) {
        KeyUp(this, up);
    }
    if (up.Handled) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyReleaseEvent(event);
}

void RichTextBox::insertFromMimeData(const QMimeData* source) {
    if (source == nullptr || !source->hasText()) {
        return;
    }
    PastePlainText(source->text());
}

void RichTextBox::PastePlainText(const QString& text) {
    QString fitting = text;
    const int room = Room();
    if (room >= 0 && fitting.size() > room) {
        fitting.truncate(room);
    }
    QTextCursor cursor = textCursor();
    if (fitting.isEmpty() && !cursor.hasSelection()) {
        return;
    }
    // A copy of the caret does the edit; the caret itself moves with it, and whoever handles the
    // change may place it anew without this undoing that.
    cursor.insertText(fitting);
    ensureCursorVisible();
}

namespace {

// A key that would put its character into a text box, or Enter. These are the keys the line edit
// itself inserts: besides the printable characters also the formatting and private-use ones and a
// character beyond the BMP, and with AltGr's Ctrl+Alt or Alt held too; only Ctrl and Ctrl+Shift make
// a shortcut instead. Each of them has to pass the key filter and the typing limit.
bool TypesCharacter(const QKeyEvent* event) {
    const QString text = event->text();
    if (text.isEmpty()) {
        return false;
    }
    const QChar c = text.at(0);
    if (c.category() == QChar::Other_Format) {
        return true;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers == Qt::ControlModifier || modifiers == (Qt::ShiftModifier | Qt::ControlModifier)) {
        return false;
    }
    return c.isPrint() || c.category() == QChar::Other_PrivateUse || c.isSurrogate() || c == QLatin1Char('\r');
}

} // namespace

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {
    // The box's own limit would also cut text set by the program.
    setMaxLength(std::numeric_limits<int>::max());
}

int TextBox::Room() const {
    if (MaxLength <= 0) {
        return -1;
    }
    const int length = static_cast<int>(text().size());
    const int selected = static_cast<int>(selectedText().size());
    return std::max(0, MaxLength - (length - selected));
}

void TextBox::PastePlainText(const QString& text) {
    if (isReadOnly()) {
        return;
    }
    QString fitting = text;
    const int room = Room();
    if (room >= 0 && fitting.size() > room) {
        fitting.truncate(room);
    }
    if (fitting.isEmpty() && !hasSelectedText()) {
        return;
    }
    insert(fitting);
}

void TextBox::keyPressEvent(QKeyEvent* event) {
    KeyEventArgs down{event};
    if (KeyDown) {
        KeyDown(this, down);
    }
    if (down.Handled || down.SuppressKeyPress) {
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        if (const QClipboard* clipboard = QGuiApplication::clipboard()) {
            PastePlainText(clipboard->text(QClipboard::Clipboard));
        }
        event->accept();
        return;
    }
    // Enter is left to the dialog's accept button.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter && TypesCharacter(event)) {
        KeyPressEventArgs press{event->text().at(0), event};
        if (KeyPress) {
            KeyPress(this, press);
        }
        if (press.Handled) {
            event->accept();
            return;
        }
        const int room = Room();
        if (room == 0 || (room > 0 && room < event->text().size())) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void TextBox::inputMethodEvent(QInputMethodEvent* event) {
    // A character composed by the input method (a dead key, a compose sequence) is typed as well:
    // each one asks the key filter, and together they are held to the limit.
    const QString commit = event->commitString();
    if (commit.isEmpty() || isReadOnly()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QString taken;
    for (const QChar c : commit) {
        KeyPressEventArgs press{c, nullptr};
        if (KeyPress) {
            KeyPress(this, press);
        }
        if (!press.Handled) {
            taken += c;
        }
    }
    const int room = Room();
    if (room >= 0 && taken.size() > room) {
        taken.truncate(room);
    }
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(taken, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
    event->setAccepted(filtered.isAccepted());
}

void TextBox::keyReleaseEvent(QKeyEvent* event) {
    KeyEventArgs up{event};
    if (KeyUp) {
        KeyUp(this, up);
    }
    if (up.Handled) {
        event->accept();
        return;
    }
    QLineEdit::keyReleaseEvent(event);
}

void TextBox::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The standard Paste goes around the limit; route it through the limited one.
    QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"));
    for (QAction* action : menu->actions()) {
        // Found by the caption the box itself gives it (its shortcut follows a tab).
        if (paste == nullptr && action->text().section(QLatin1Char('\t'), 0, 0) == QLineEdit::tr("&Paste")) {
            paste = action;
        }
    }
    if (paste != nullptr) {
        disconnect(paste, &QAction::triggered, nullptr, nullptr);
        connect(paste, &QAction::triggered, this, [this] {
            if (const QClipboard* clipboard = QGuiApplication::clipboard()) {
                PastePlainText(clipboard->text(QClipboard::Clipboard));
            }
        });
    }
    menu->popup(event->globalPos());
}

void TextBox::mouseReleaseEvent(QMouseEvent* event) {
    // The middle button pastes the selection clipboard, held to the same limit.
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard != nullptr && clipboard->supportsSelection()) {
        deselect();
        PastePlainText(clipboard->text(QClipboard::Selection));
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

} // namespace quorvel

// Files dropped on the window.
#include "Form1.h"

#include <QDragEnterEvent>
#include <QDropEvent>

namespace quorvel {

void Form1::Drag_OnEnter(QObject* sender, QDragEnterEvent* e) {
    (void)sender;
    // Comes with drag and drop; until then nothing may be dropped.
    e->ignore();
}

void Form1::Drag_OnDrop(QObject* sender, QDropEvent* e) {
    (void)sender;
    e->ignore();
}

} // namespace quorvel

#include "ModalDialog.h"

#include <QApplication>
#include <QDialog>

namespace quorvel {

int ExecOverActiveWindow(QDialog& dialog) {
    constexpr Qt::WindowFlags kFrame = Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint;
    QWidget* owner = QApplication::activeWindow();
    if (owner != nullptr && owner != &dialog) {
        dialog.setParent(owner, Qt::Dialog | kFrame);
    } else {
        dialog.setWindowFlags(Qt::Tool | kFrame);
    }
    return dialog.exec();
}

} // namespace quorvel

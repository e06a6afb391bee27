#include "Program.h"

#include "Controls.h"
#include "Form1.h"

#include <QApplication>

namespace quorvel {

int Main(int argc, char** argv) {
    QApplication app(argc, argv);
    SetUpApplication(app);
    // Ties the window to its menu entry, so that desktops show the entry's name and icon for it.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Quorvel"));

    QStringList args = QApplication::arguments();
    if (!args.isEmpty()) {
        args.removeFirst(); // the program's own name
    }
    Form1 form(args);
    form.show();
    QApplication::exec();
    return 0;
}

} // namespace quorvel

// The command line: paths sorted into the tabs' selections.
#include "Form1.h"

namespace quorvel {

void Form1::CommandLineIntake(const QStringList& args) {
    (void)args;
    // Comes with the multiple-files tab; until then the window starts on "Single file" with nothing selected.
}

} // namespace quorvel

// Verification of a digest against the single-file results.
#include "Form1.h"

namespace quorvel {

void Form1::btTabSingleVerify_Click(QObject* sender) {
    (void)sender;
    // Comes with the verification dialog.
}

} // namespace quorvel

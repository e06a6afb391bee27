// The single-file summary file ("Save all to text file").
#include "Form1.h"

namespace quorvel {

void Form1::btTabSingleSaveAll_Click(QObject* sender) {
    (void)sender;
    // Comes with the summary file.
}

} // namespace quorvel

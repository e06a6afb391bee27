// The Help menu.
#include "Form1.h"

namespace quorvel {

// Each of these comes with the About window.
void Form1::aboutToolStripMenuItem1_Click(QObject* sender) {
    (void)sender;
}
void Form1::donateToolStripMenuItem_Click(QObject* sender) {
    (void)sender;
}
void Form1::websiteToolStripMenuItem_Click(QObject* sender) {
    (void)sender;
}

} // namespace quorvel

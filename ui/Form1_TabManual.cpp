// The manual-input tab.
#include "Form1.h"

namespace quorvel {

// Each of these comes with the manual-input tab.
void Form1::TabManualTextChanged(QObject* sender) {
    (void)sender;
}
void Form1::TabManualKeyDown(QObject* sender, KeyEventArgs& e) {
    (void)sender;
    (void)e;
}
void Form1::TabManualKeyPressed(QObject* sender, KeyPressEventArgs& e) {
    (void)sender;
    (void)e;
}
void Form1::TabManualKeyUp(QObject* sender, KeyEventArgs& e) {
    (void)sender;
    (void)e;
}
void Form1::checkBoxTabManual_CheckedChanged(QObject* sender) {
    (void)sender;
}
void Form1::cbTabManual_SelectedIndexChanged(QObject* sender) {
    (void)sender;
}
void Form1::btTabManualCalculate_Click(QObject* sender) {
    (void)sender;
}
void Form1::btTabManualCopy_Click(QObject* sender) {
    (void)sender;
}
void Form1::ctxMenuClear_Click(QObject* sender) {
    (void)sender;
}
void Form1::ctxMenuPaste_Click(QObject* sender) {
    (void)sender;
}

} // namespace quorvel

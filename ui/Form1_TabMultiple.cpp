// The multiple-files tab.
#include "Form1.h"

namespace quorvel {

void Form1::btTabMutipleBrowse_Click(QObject* sender) {
    (void)sender;
    // Comes with the multiple-files tab.
}

void Form1::btTabMutipleCalculate_Click(QObject* sender) {
    (void)sender;
    // Comes with the multiple-files tab.
}

void Form1::btTabMultipleCopy_Click(QObject* sender) {
    (void)sender;
    // Comes with the multiple-files tab.
}

void Form1::btTabMultipleSaveAs_Click(QObject* sender) {
    (void)sender;
    // Comes with the multiple-files tab.
}

void Form1::btTabMultipleOpenNotepad_Click(QObject* sender) {
    (void)sender;
    // Comes with the multiple-files tab.
}

void Form1::TabMultipleShowResult(const std::shared_ptr<OutputArguments>& result) {
    (void)result;
    // Until the report is built here, a multiple-files job only leaves the busy state.
    EnableAll();
}

} // namespace quorvel

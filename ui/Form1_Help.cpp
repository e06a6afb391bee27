// The Help menu: the About window and the product's web site.
#include "Form1.h"

#include "Desktop.h"
#include "FormAboutEx.h"

#include <QUrl>

namespace quorvel {

namespace {

const QString kWebsite = QStringLiteral("http://quorvel.example.org/");

} // namespace

void Form1::aboutToolStripMenuItem1_Click(QObject* sender) {
    (void)sender;
    FormAboutEx about(iChunkSize / 1024);
    about.ShowDialog();
}

void Form1::donateToolStripMenuItem_Click(QObject* sender) {
    (void)sender;
    if (!Desktop::OpenUrl(QUrl(kWebsite + QStringLiteral("#donate")))) {
        SetStatusLabel(QStringLiteral("No web browser could be started"));
    }
}

void Form1::websiteToolStripMenuItem_Click(QObject* sender) {
    (void)sender;
    if (!Desktop::OpenUrl(QUrl(kWebsite))) {
        SetStatusLabel(QStringLiteral("No web browser could be started"));
    }
}

} // namespace quorvel

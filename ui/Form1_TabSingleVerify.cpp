// Verification of a digest brought from elsewhere against the single-file results.
#include "Form1.h"

#include "FormMessageBox.h"
#include "FormVerify.h"

#include <QLineEdit>

namespace quorvel {

void Form1::btTabSingleVerify_Click(QObject* sender) {
    (void)sender;
    const auto anyFilled = [this] {
        for (const TabSingleRow& row : kTabSingleRows) {
            if (!(this->*row.digestBox)->text().isEmpty()) {
                return true;
            }
        }
        return false;
    };
    if (!anyFilled()) {
        SetStatusLabel(QStringLiteral("Nothing to verify against. Perform a hash operation first"));
        return;
    }

    QString hash;
    {
        FormVerify dialog;
        if (dialog.ShowDialog(this) != DialogResult::OK) {
            SetStatusLabel(QString());
            return;
        }
        hash = dialog.getHash().toUpper();
    }

    // The boxes as they stand now: a job may have finished while the dialog was open.
    QString title = QStringLiteral("No match");
    QString message = QStringLiteral("The hash you entered did not match with any of the calculated hashes");
    for (const TabSingleRow& row : kTabSingleRows) {
        const QString digest = (this->*row.digestBox)->text();
        if (!digest.isEmpty() && digest == hash) {
            title = QStringLiteral("Match!");
            message = MatchText(row.alg);
            break;
        }
    }
    {
        FormMessageBox box(title, message);
        box.ShowDialog();
    }
    SetStatusLabel(QString());
}

} // namespace quorvel

// Small helpers shared by the tests that drive the main window.
#pragma once

#include "Form1.h"

#include <QList>
#include <QPushButton>
#include <QString>

namespace quorvel::testing {

// The seven controls that the busy state switches.
inline QList<QPushButton*> StartControls(const Form1& f) {
    return {f.btTabSingleMD5,    f.btTabSingleSHA1,       f.btTabSingleSHA256, f.btTabSingleSHA512,
            f.btTabSingleBrowse, f.btTabMutipleCalculate, f.btTabMutipleBrowse};
}

inline bool AllEnabled(const Form1& f, bool enabled) {
    for (QPushButton* b : StartControls(f)) {
        if (b->isEnabled() != enabled) {
            return false;
        }
    }
    return true;
}

// Digests of the one-byte message "a", as the single-file boxes show them.
inline const QString kDigestOfA_MD5 = QStringLiteral("0CC175B9C0F1B6A831C399E269772661");
inline const QString kDigestOfA_SHA1 = QStringLiteral("86F7E437FAA5A7FCE15D1DDCB9EAEAEA377667B8");
inline const QString kDigestOfA_SHA256 =
    QStringLiteral("CA978112CA1BBDCAFAC231B39A23DC4DA786EFF8147C4E72B9807785AFEE48BB");
inline const QString kDigestOfA_SHA512 =
    QStringLiteral("1F40FC92DA241694750979EE6CF582F2D5D7D28E18335DE05ABC54D0560E0F53"
                   "02860C652BF08D560252AA5E74210546F369FBBBCE8C12CFC7957B2652FE9A75");

} // namespace quorvel::testing

#include "FormMessageBox.h"

#include "ModalDialog.h"

#include "Controls.h"

#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace quorvel {

namespace {
constexpr int kDesignWidth = 116;
constexpr int kDesignHeight = 94;
constexpr int kMessageLeft = 13;
} // namespace

FormMessageBox::FormMessageBox(const QString& strTitle, const QString& strMessage) : QDialog(nullptr) {
    InitializeComponent();
    setWindowTitle(strTitle);
    lbMessage->setText(strMessage + QStringLiteral("   "));
    FitToMessage();
}

void FormMessageBox::InitializeComponent() {
    setObjectName(QStringLiteral("FormMessageBox"));
    setFont(MakeFont(QStringLiteral("Calibri"), 8.25));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Colors::White);
    setPalette(pal);
    setWindowOpacity(0.95);
    setWindowIcon(QIcon(QStringLiteral(":/quorvel/dialog-icon.png")));
    setAttribute(Qt::WA_DeleteOnClose, false);

    lbMessage = new QLabel(QStringLiteral("-"), this);
    lbMessage->setObjectName(QStringLiteral("lbMessage"));
    lbMessage->setFont(MakeFont(QStringLiteral("Calibri"), 9));
    lbMessage->setWordWrap(false);
    lbMessage->setGeometry(kMessageLeft, 22, 11, 14);

    btOK = new QPushButton(QStringLiteral("OK"), this);
    btOK->setObjectName(QStringLiteral("btOK"));
    btOK->setFont(MakeFont(QStringLiteral("Calibri"), 11.25));
    btOK->setGeometry(30, 54, 56, 28);
    ApplyPopupStyle(btOK, Colors::Green);
    // Enter and Esc both close the window as the button does.
    btOK->setDefault(true);
    btOK->setAutoDefault(true);
    connect(btOK, &QPushButton::clicked, this, &QDialog::accept);

    // Tab order follows the designer's indexes: the button (31) before the label (32).
    btOK->setFocus();
}

void FormMessageBox::FitToMessage() {
    lbMessage->adjustSize();
    lbMessage->move(kMessageLeft, 22);
    const int width = std::max(kDesignWidth, lbMessage->x() + lbMessage->width() + kMessageLeft);
    setFixedSize(width, kDesignHeight);
    // Anchored to no edge: the button keeps its place relative to the centre.
    btOK->move((width - btOK->width()) / 2, btOK->y());
}

void FormMessageBox::SetShowDialogForTesting(std::function<void(FormMessageBox&)> show) {
    ModalShowSeam<FormMessageBox>::Set(std::move(show));
}

int FormMessageBox::ShowDialog() {
    if (ModalShowSeam<FormMessageBox>::ShowReplaced(*this)) {
        return result();
    }
    return ExecOverActiveWindow(*this);
}

} // namespace quorvel

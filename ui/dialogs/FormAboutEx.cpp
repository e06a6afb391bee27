#include "FormAboutEx.h"

#include "ModalDialog.h"

#include "Controls.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>

namespace quorvel {

namespace {

// The text with its web addresses made into links, as a rich text box shows them. The links go
// nowhere: the box opens nothing.
QString WithAddressLinks(const QString& text) {
    static const QRegularExpression address(QStringLiteral(R"((https?://|www\.)[^\s<>"]+[^\s<>".,;:!?)])"));
    QString html;
    qsizetype from = 0;
    for (QRegularExpressionMatchIterator it = address.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        html += text.mid(from, match.capturedStart() - from).toHtmlEscaped();
        const QString shown = match.captured().toHtmlEscaped();
        html += QStringLiteral("<a href=\"") + shown + QStringLiteral("\">") + shown + QStringLiteral("</a>");
        from = match.capturedEnd();
    }
    html += text.mid(from).toHtmlEscaped();
    html.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    return html;
}

} // namespace

FormAboutEx::FormAboutEx(int iChunkSize) : QDialog(nullptr) {
    InitializeComponent();
    label3->setText(QStringLiteral("using chunk size of ") + QString::number(iChunkSize) + QStringLiteral(" kb"));
    label3->adjustSize();
}

QString FormAboutEx::AboutText() {
    QFile file(QStringLiteral(":/quorvel/about.txt"));
    if (!file.open(QIODevice::ReadOnly)) {
        return QString();
    }
    return QString::fromUtf8(file.readAll()).trimmed();
}

void FormAboutEx::InitializeComponent() {
    setObjectName(QStringLiteral("FormAboutEx"));
    setWindowTitle(QStringLiteral("About"));
    setFont(MakeFont(QStringLiteral("Segoe UI"), 8.25));
    setFixedSize(386, 270);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Colors::White);
    setPalette(pal);
    setWindowOpacity(0.95);
    setWindowIcon(QIcon(QStringLiteral(":/quorvel/dialog-icon.png")));

    const QFont labelFont = MakeFont(QStringLiteral("Calibri"), 9);
    label1 = new QLabel(QStringLiteral("Quorvel | Version 1.0 | Oct 2015"), this);
    label1->setObjectName(QStringLiteral("label1"));
    label1->setFont(labelFont);
    label1->move(12, 22);
    label1->adjustSize();

    label3 = new QLabel(QStringLiteral("using chunk size of 128 kb"), this);
    label3->setObjectName(QStringLiteral("label3"));
    label3->setFont(labelFont);
    label3->move(223, 22);
    label3->adjustSize();

    richTextBox1 = new QTextBrowser(this);
    richTextBox1->setObjectName(QStringLiteral("richTextBox1"));
    richTextBox1->setFont(MakeFont(QStringLiteral("Calibri"), 8.25));
    richTextBox1->setGeometry(15, 52, 356, 167);
    richTextBox1->setReadOnly(true);
    richTextBox1->setOpenLinks(false);
    richTextBox1->setOpenExternalLinks(false);
    richTextBox1->setHtml(WithAddressLinks(AboutText()));

    btOK = new QPushButton(QStringLiteral("OK"), this);
    btOK->setObjectName(QStringLiteral("btOK"));
    btOK->setFont(MakeFont(QStringLiteral("Calibri"), 11.25));
    btOK->setGeometry(161, 233, 65, 28);
    ApplyPopupStyle(btOK, Colors::Green);
    // The accept button and the cancel button both: Enter and Esc close the window as it does.
    btOK->setDefault(true);
    btOK->setAutoDefault(true);
    connect(btOK, &QPushButton::clicked, this, &QDialog::accept);

    // Keyboard order by the designer's indexes: the button (30) before the text (32).
    setTabOrder(btOK, richTextBox1);
    btOK->setFocus();
}

void FormAboutEx::SetShowDialogForTesting(std::function<void(FormAboutEx&)> show) {
    ModalShowSeam<FormAboutEx>::Set(std::move(show));
}

int FormAboutEx::ShowDialog() {
    if (ModalShowSeam<FormAboutEx>::ShowReplaced(*this)) {
        return result();
    }
    return ExecOverActiveWindow(*this);
}

} // namespace quorvel

#include "FormVerify.h"

#include "ModalDialog.h"

#include "Algorithm.h"
#include "Clipboard.h"
#include "Controls.h"
#include "FormMessageBox.h"

#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include <array>

namespace quorvel {

namespace {

const QString kCalibri = QStringLiteral("Calibri");
const QString kConsolas = QStringLiteral("Consolas");

void SetTextColour(QWidget* widget, const QColor& colour) {
    QPalette pal = widget->palette();
    pal.setColor(QPalette::WindowText, colour);
    widget->setPalette(pal);
}

QLabel* MakeAutoSizeLabel(QWidget* parent, const char* name, const QString& text, const QFont& font, const QPoint& at) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    label->move(at);
    label->adjustSize();
    return label;
}

// The byte lengths that get a hint, and the algorithm each names.
constexpr std::array<EAlgorithm, 4> kHintedAlgorithms{EAlgorithm::MD5, EAlgorithm::SHA1, EAlgorithm::SHA256,
                                                      EAlgorithm::SHA512};

} // namespace

FormVerify::FormVerify() : QDialog(nullptr) {
    InitializeComponent();
}

void FormVerify::InitializeComponent() {
    setObjectName(QStringLiteral("FormVerify"));
    components = new QObject(this);
    components->setObjectName(QStringLiteral("components"));

    setWindowTitle(QStringLiteral("Verify"));
    // Fixed single border, no minimise or maximise box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(364, 115);
    setSizeGripEnabled(false);
    // No icon shown: a blank one, since an empty icon would fall back to the application's.
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    setWindowIcon(QIcon(blank));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Colors::White);
    setPalette(pal);

    label1 = MakeAutoSizeLabel(this, "label1",
                               QStringLiteral("Paste here to verify with any of the hashes. No spaces, please"),
                               MakeFont(kCalibri, 9), {10, 13});

    btPaste = new QPushButton(this);
    btPaste->setObjectName(QStringLiteral("btPaste"));
    btPaste->setGeometry(7, 43, 24, 24);
    btPaste->setIcon(QIcon(QStringLiteral(":/quorvel/paste.png")));
    btPaste->setIconSize(QSize(22, 22)); // the 16 by 16 picture stretched over the button, inside its edge
    btPaste->setAutoDefault(false);
    ApplyPictureButtonStyle(btPaste, Colors::White);

    tbHashToVerify = new TextBox(this);
    tbHashToVerify->setObjectName(QStringLiteral("tbHashToVerify"));
    tbHashToVerify->setGeometry(35, 47, 323, 22);
    tbHashToVerify->setFont(MakeFont(kConsolas, 9));
    tbHashToVerify->MaxLength = kEntryMaxLength;
    tbHashToVerify->setAcceptDrops(false);

    lbVerifyBytes =
        MakeAutoSizeLabel(this, "lbVerifyBytes", QStringLiteral("0"), MakeFont(kConsolas, 9, true), {322, 73});
    SetTextColour(lbVerifyBytes, Colors::ManualBytesGreen);

    btVerify = new QPushButton(QStringLiteral("Verify"), this);
    btVerify->setObjectName(QStringLiteral("btVerify"));
    btVerify->setGeometry(109, 78, 54, 23);
    btVerify->setFont(MakeFont(kCalibri, 9.75));
    ApplyPopupStyle(btVerify, Colors::Green);
    // The accept button: Enter anywhere in the dialog.
    btVerify->setDefault(true);

    btCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btCancel->setObjectName(QStringLiteral("btCancel"));
    btCancel->setGeometry(201, 78, 54, 23);
    btCancel->setFont(MakeFont(kCalibri, 9.75));
    btCancel->setAutoDefault(false);
    ApplyPopupStyle(btCancel, QColor(192, 0, 0));

    lbSize = MakeAutoSizeLabel(this, "lbSize", QString(), MakeFont(kConsolas, 9, true), {275, 92});
    SetTextColour(lbSize, QColor(0, 0, 255));

    setTabOrder(tbHashToVerify, btVerify);
    setTabOrder(btVerify, btCancel);
    setTabOrder(btCancel, btPaste);
    tbHashToVerify->setFocus();

    connect(btVerify, &QPushButton::clicked, this, [this] { btVerify_Click(btVerify); });
    connect(btPaste, &QPushButton::clicked, this, [this] { btPaste_Click(btPaste); });
    // Cancel has no handler of its own: its result closes the dialog (Esc and the close box too).
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(tbHashToVerify, &QLineEdit::textChanged, this, [this] { tbHashToVerifyTextChanged(tbHashToVerify); });
    tbHashToVerify->KeyPress = [this](QObject* sender, KeyPressEventArgs& e) {
        tbHashToVerifyKeyPress(sender, e);
    };
    tbHashToVerify->KeyDown = [this](QObject* sender, KeyEventArgs& e) {
        tbHashToVerifyKeyDown(sender, e);
    };
    tbHashToVerify->KeyUp = [this](QObject* sender, KeyEventArgs& e) {
        tbHashToVerifyKeyUp(sender, e);
    };
}

QString FormVerify::getHash() const {
    return tbHashToVerify->text();
}

bool FormVerify::ValidateKey(int32_t key) {
    if (key == 13) {
        return false;
    }
    if (key >= 0 && key <= 31) {
        return true;
    }
    return (key >= '0' && key <= '9') || (key >= 'A' && key <= 'F') || (key >= 'a' && key <= 'f');
}

int32_t FormVerify::CountBytes(const QString& text) {
    // Unicode white space as the desktop toolkit knows it: the separators, tab, the line breaks and NEL.
    qsizetype white = 0;
    for (const QChar c : text) {
        if (c.isSpace()) {
            ++white;
        }
    }
    return static_cast<int32_t>((text.size() - white) / 2);
}

void FormVerify::btVerify_Click(QObject* sender) {
    (void)sender;
    const QString entry = tbHashToVerify->text();
    if (entry.isEmpty()) {
        reject();
        return;
    }
    if (entry.size() < kMinimumHashLength) {
        setResult(QDialog::Rejected);
        FormMessageBox box(QString(), QStringLiteral("Hashes must have at least 16 bytes (32 characters)"));
        box.ShowDialog();
        reject();
        return;
    }
    accept();
}

void FormVerify::btPaste_Click(QObject* sender) {
    (void)sender;
    try {
        if (const std::optional<QString> text = Clipboard::GetText()) {
            tbHashToVerify->setText(*text);
        }
    } catch (...) {
        // An unreadable clipboard leaves the entry as it was, without a word.
    }
}

void FormVerify::tbHashToVerifyTextChanged(QObject* sender) {
    (void)sender;
    const QString entry = tbHashToVerify->text();
    const int32_t bytes = entry.isEmpty() ? 0 : CountBytes(entry);
    lbVerifyBytes->setText(QString::number(bytes));
    lbVerifyBytes->adjustSize();
    QString hint;
    for (const EAlgorithm alg : kHintedAlgorithms) {
        if (DigestLength(alg) == bytes) {
            hint = SizeHintText(alg);
        }
    }
    lbSize->setText(hint);
    lbSize->adjustSize();
}

void FormVerify::tbHashToVerifyKeyPress(QObject* sender, KeyPressEventArgs& e) {
    (void)sender;
    if (!ValidateKey(e.KeyChar.unicode())) {
        e.Handled = true;
    }
}

void FormVerify::tbHashToVerifyKeyDown(QObject* sender, KeyEventArgs& e) {
    (void)sender;
    (void)e;
}

void FormVerify::tbHashToVerifyKeyUp(QObject* sender, KeyEventArgs& e) {
    (void)sender;
    (void)e;
}

void FormVerify::SetShowDialogForTesting(std::function<void(FormVerify&)> show) {
    ModalShowSeam<FormVerify>::Set(std::move(show));
}

DialogResult FormVerify::ShowDialog(QWidget* owner) {
    if (owner != nullptr) {
        // Owned: centred on the owner and kept off the task bar.
        setParent(owner, windowFlags());
    }
    setResult(QDialog::Rejected);
    if (!ModalShowSeam<FormVerify>::ShowReplaced(*this)) {
        exec();
    }
    return result() == QDialog::Accepted ? DialogResult::OK : DialogResult::Cancel;
}

} // namespace quorvel

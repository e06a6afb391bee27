// Builds the main window: every control with its text, font, colour, place and size, the
// keyboard order, and which handler each event reaches. Places and sizes are in
// device-independent pixels, so high-DPI scaling keeps the proportions.
#include "Form1.h"

#include "Button.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

namespace quorvel {

namespace {

const QString kCalibri = QStringLiteral("Calibri");
const QString kConsolas = QStringLiteral("Consolas");
const QString kSegoeUi = QStringLiteral("Segoe UI");

template <typename T> T* Named(T* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

void SetBackground(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette pal = widget->palette();
    pal.setColor(role, colour);
    widget->setPalette(pal);
}

QPushButton* MakeTextButton(QWidget* parent, const char* name, const QString& text, double points,
                            const QRect& geometry, const QColor& role) {
    auto* button = Named(new Button(text, parent), name);
    button->setFont(MakeFont(kCalibri, points));
    button->setGeometry(geometry);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setAutoDefault(false);
    ApplyPopupStyle(button, role);
    return button;
}

QPushButton* MakeCopyButton(QWidget* parent, const char* name, const QPoint& at) {
    auto* button = Named(new QPushButton(parent), name);
    button->setGeometry(QRect(at, QSize(24, 24)));
    button->setFont(parent->font()); // none of its own; a styled button would not take its parent's
    button->setIcon(QIcon(QStringLiteral(":/quorvel/copy.png")));
    button->setIconSize(QSize(22, 22)); // the picture stretched over the button, inside its edge
    button->setFocusPolicy(Qt::StrongFocus);
    button->setAutoDefault(false);
    ApplyPictureButtonStyle(button, Colors::White);
    return button;
}

// A single-line box that shows a result: selectable by mouse, never reached with the Tab key.
QLineEdit* MakeResultBox(QWidget* parent, const char* name, double points, const QRect& geometry) {
    auto* box = Named(new QLineEdit(parent), name);
    box->setFont(MakeFont(kConsolas, points));
    box->setGeometry(geometry);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::ClickFocus);
    box->setContextMenuPolicy(Qt::DefaultContextMenu);
    // A read-only box is drawn on the control colour, as the desktop toolkit does.
    SetBackground(box, QPalette::Base, Colors::Control);
    return box;
}

// The path boxes only display: disabled, centred, on the caption colour.
QLineEdit* MakePathBox(QWidget* parent, const char* name) {
    auto* box = Named(new QLineEdit(parent), name);
    box->setFont(MakeFont(kConsolas, 9.75));
    box->setGeometry(1, 58, 600, 23);
    box->setReadOnly(true);
    box->setEnabled(false);
    box->setFocusPolicy(Qt::NoFocus);
    box->setAlignment(Qt::AlignCenter);
    QPalette pal = box->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, QPalette::Base, Colors::ActiveCaption);
    }
    pal.setColor(QPalette::Disabled, QPalette::Text, Colors::GrayText);
    box->setPalette(pal);
    return box;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QFont* font, const QPoint& at) {
    auto* label = Named(new QLabel(text, parent), name);
    if (font != nullptr) {
        label->setFont(*font);
    }
    label->move(at);
    label->adjustSize(); // sizes itself to its text
    return label;
}

QComboBox* MakeHashChoice(QWidget* parent, const char* name, const QRect& geometry) {
    auto* combo = Named(new QComboBox(parent), name);
    combo->setFont(MakeFont(kCalibri, 8.25));
    combo->setGeometry(geometry);
    combo->setEditable(false); // a drop-down list: no typing
    combo->setFocusPolicy(Qt::StrongFocus);
    for (const AlgorithmInfo& info : kAlgorithms) {
        combo->addItem(QLatin1String(info.itemText)); // the item index is the EAlgorithm value
    }
    combo->setCurrentIndex(-1); // no selection until start-up picks one
    SetBackground(combo, QPalette::Button, Colors::Silver);
    return combo;
}

// Tab key order within one container, first to last.
void ChainTabOrder(std::initializer_list<QWidget*> widgets) {
    QWidget* previous = nullptr;
    for (QWidget* widget : widgets) {
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }
}

QWidget* MakePage(const char* name) {
    auto* page = Named(new QWidget, name);
    page->setContentsMargins(3, 3, 3, 3);
    page->setAutoFillBackground(true);
    SetBackground(page, QPalette::Window, Colors::White);
    return page;
}

} // namespace

void Form1::InitializeComponent() {
    setObjectName(QStringLiteral("Form1"));
    setUpdatesEnabled(false); // layout suspended while the controls are set up

    components = Named(new QObject(this), "components");

    setWindowTitle(QStringLiteral("#uorvel"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(610, 351);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    setAutoFillBackground(true);
    SetBackground(this, QPalette::Window, Colors::White);
    setAcceptDrops(true);
    QIcon icon;
    for (int px : {16, 32, 48, 64}) {
        icon.addFile(QStringLiteral(":/quorvel/app-%1.png").arg(px), QSize(px, px));
    }
    setWindowIcon(icon);

    // Children in order of adding: tab control, status strip, menu strip.
    tabControl = Named(new QTabWidget(this), "tabControl");
    tabControl->setGeometry(0, 27, 613, 302);
    tabControl->setFont(MakeFont(kCalibri, 9));
    tabControl->setFocusPolicy(Qt::StrongFocus);
    tabControl->setStyleSheet(
        QStringLiteral("QTabWidget::pane { border: 1px solid rgb(217, 217, 217); top: -1px; padding: 1px 3px 3px 3px; "
                       "background: white; }"
                       "QTabBar::tab { height: 18px; padding: 0px 6px; margin-top: 2px; "
                       "border: 1px solid rgb(217, 217, 217); background: rgb(240, 240, 240); }"
                       "QTabBar::tab:selected { background: white; border-bottom-color: white; "
                       "margin-top: 0px; height: 20px; }"
                       "QTabBar::tab:!selected:hover { background: rgb(216, 234, 249); }"));

    tabSingle = MakePage("tabSingle");
    tabSingle->setFont(MakeFont(kSegoeUi, 9));
    tabSingle->setAcceptDrops(true);
    tabMultiple = MakePage("tabMultiple");
    tabMultiple->setFont(MakeFont(kSegoeUi, 9));
    tabMultiple->setAcceptDrops(true);
    tabManual = MakePage("tabManual");
    // No font of its own: the tab control's, given here because a styled parent does not pass it on.
    tabManual->setFont(tabControl->font());
    tabControl->addTab(tabSingle, QStringLiteral("Single file"));
    tabControl->addTab(tabMultiple, QStringLiteral("Multiple files"));
    tabControl->addTab(tabManual, QStringLiteral("Manual input"));
    tabControl->setCurrentIndex(0);

    InitializeTabSingle();
    InitializeTabMultiple();
    InitializeTabManual();
    InitializeStrips();

    // The picture buttons show no caption: a name for screen readers and a tooltip for the pointer.
    const std::pair<QAbstractButton*, QString> pictureButtons[] = {
        {btCopyMD5, QStringLiteral("Copy MD5")},          {btCopySHA1, QStringLiteral("Copy SHA-1")},
        {btCopySHA256, QStringLiteral("Copy SHA-256")},   {btCopySHA512, QStringLiteral("Copy SHA-512")},
        {btTabManualCopy, QStringLiteral("Copy result")}, {tsCancel, QStringLiteral("Cancel")},
    };
    for (const auto& [button, name] : pictureButtons) {
        button->setAccessibleName(name);
        button->setToolTip(name);
    }

    // Non-visual components.
    bgWorker = Named(new BackgroundWorker(this), "bgWorker");
    bgWorker->WorkerReportsProgress = true;
    bgWorker->WorkerSupportsCancellation = true;

    // Keyboard order inside the window: menu strip (10), status strip (11), tab control (12); inside
    // each page by the controls' indexes, skipping those that are no tab stops.
    setTabOrder(tabControl, btTabSingleBrowse);
    ChainTabOrder({btTabSingleBrowse, btTabSingleMD5, btTabSingleSHA1, btTabSingleSHA256, btTabSingleSHA512, btCopyMD5,
                   btCopySHA1, btCopySHA256, btCopySHA512, btTabSingleVerify, btTabSingleSaveAll});
    ChainTabOrder({btTabMutipleBrowse, cbTabMultiple, btTabMutipleCalculate, btTabMultipleCopy, btTabMultipleSaveAs,
                   btTabMultipleOpenNotepad});
    ChainTabOrder({rtbTabManualInput, cbTabManual, checkBoxTabManual, btTabManualCalculate, btTabManualCopy});

    WireEvents();
    setUpdatesEnabled(true);
}

void Form1::InitializeTabSingle() {
    QWidget* page = tabSingle;
    btTabSingleBrowse = MakeTextButton(page, "btTabSingleBrowse", QStringLiteral("Browse File"), 9.75,
                                       {258, 16, 89, 33}, Colors::ButtonFace);
    tbTabSingleFilePath = MakePathBox(page, "tbTabSingleFilePath");
    tbTabSingleFilePath->setAcceptDrops(true);

    btTabSingleMD5 =
        MakeTextButton(page, "btTabSingleMD5", QStringLiteral("MD5"), 8.25, {9, 106, 54, 23}, Colors::LightGreen);
    btTabSingleSHA1 =
        MakeTextButton(page, "btTabSingleSHA1", QStringLiteral("SHA-1"), 8.25, {9, 135, 54, 23}, Colors::LightGreen);
    btTabSingleSHA256 = MakeTextButton(page, "btTabSingleSHA256", QStringLiteral("SHA-256"), 8.25, {9, 164, 54, 23},
                                       Colors::LightGreen);
    btTabSingleSHA512 = MakeTextButton(page, "btTabSingleSHA512", QStringLiteral("SHA-512"), 8.25, {9, 193, 54, 23},
                                       Colors::LightGreen);

    tbMD5 = MakeResultBox(page, "tbMD5", 9, {74, 107, 489, 22});
    tbSHA1 = MakeResultBox(page, "tbSHA1", 9, {74, 138, 489, 22});
    tbSHA256 = MakeResultBox(page, "tbSHA256", 9, {74, 167, 489, 22});
    tbSHA512 = MakeResultBox(page, "tbSHA512", 9, {74, 193, 489, 22});

    btCopyMD5 = MakeCopyButton(page, "btCopyMD5", {571, 104});
    btCopySHA1 = MakeCopyButton(page, "btCopySHA1", {571, 134});
    btCopySHA256 = MakeCopyButton(page, "btCopySHA256", {571, 164});
    btCopySHA512 = MakeCopyButton(page, "btCopySHA512", {571, 190});

    btTabSingleVerify =
        MakeTextButton(page, "btTabSingleVerify", QStringLiteral("Verify"), 9.75, {9, 233, 54, 23}, QColor());
    btTabSingleSaveAll = MakeTextButton(page, "btTabSingleSaveAll", QStringLiteral("Save all to text file"), 9.75,
                                        {236, 228, 133, 32}, Colors::LightYellow);
}

void Form1::InitializeTabMultiple() {
    QWidget* page = tabMultiple;
    btTabMutipleBrowse = MakeTextButton(page, "btTabMutipleBrowse", QStringLiteral("Browse Files"), 9.75,
                                        {258, 16, 89, 33}, Colors::ButtonFace);
    tbTabMultipleFilePath = MakePathBox(page, "tbTabMultipleFilePath");
    const QFont chooseFont = MakeFont(kCalibri, 9.75, true);
    labelTabMultipleChoose =
        MakeLabel(page, "labelTabMultipleChoose", QStringLiteral("Choose hash:"), &chooseFont, {42, 100});
    cbTabMultiple = MakeHashChoice(page, "cbTabMultiple", {127, 99, 85, 21});
    btTabMutipleCalculate = MakeTextButton(page, "btTabMutipleCalculate", QStringLiteral("Calculate"), 9.75,
                                           {258, 91, 89, 33}, Colors::LightGreen);

    rtbTabMultiple = Named(new RichTextBox(page), "rtbTabMultiple");
    rtbTabMultiple->setFont(MakeFont(kConsolas, 9));
    rtbTabMultiple->setGeometry(8, 136, 496, 132);
    rtbTabMultiple->setReadOnly(true);
    rtbTabMultiple->setFocusPolicy(Qt::ClickFocus);
    rtbTabMultiple->setContextMenuPolicy(Qt::NoContextMenu);
    rtbTabMultiple->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    SetBackground(rtbTabMultiple, QPalette::Base, Colors::Control);

    btTabMultipleCopy = MakeTextButton(page, "btTabMultipleCopy", QStringLiteral("Copy to clipboard"), 9.75,
                                       {515, 136, 76, 41}, Colors::LightYellow);
    btTabMultipleSaveAs = MakeTextButton(page, "btTabMultipleSaveAs", QStringLiteral("Save as text file"), 9.75,
                                         {515, 181, 76, 41}, Colors::LightYellow);
    btTabMultipleOpenNotepad = MakeTextButton(page, "btTabMultipleOpenNotepad", QStringLiteral("Open in notepad"), 9.75,
                                              {515, 227, 76, 41}, Colors::LightYellow);
}

void Form1::InitializeTabManual() {
    QWidget* page = tabManual;
    const QFont labelFont = MakeFont(kCalibri, 9.75);
    label1 = MakeLabel(page, "label1",
                       QStringLiteral("Input bytes in ASC representation of hexadecimal (2 characters per byte):"),
                       &labelFont, {101, 6});

    rtbTabManualInput = Named(new RichTextBox(page), "rtbTabManualInput");
    rtbTabManualInput->setFont(MakeFont(kConsolas, 8.25));
    rtbTabManualInput->setGeometry(6, 24, 595, 105);
    rtbTabManualInput->MaxLength = 6143;
    // Every accepted change is followed by the tab's own respacing of the text; undoing only that
    // respacing would bring it straight back, so the box keeps no undo history.
    rtbTabManualInput->setUndoRedoEnabled(false);
    rtbTabManualInput->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    rtbTabManualInput->setFocusPolicy(Qt::StrongFocus);
    rtbTabManualInput->setTabChangesFocus(true);
    rtbTabManualInput->setContextMenuPolicy(Qt::CustomContextMenu);

    checkBoxTabManual = Named(new QCheckBox(QStringLiteral("Automatic calculation"), page), "checkBoxTabManual");
    checkBoxTabManual->move(20, 137);
    checkBoxTabManual->setChecked(true);
    checkBoxTabManual->setFocusPolicy(Qt::StrongFocus);
    checkBoxTabManual->adjustSize();

    const QFont chooseFont = MakeFont(kCalibri, 9.75, true);
    labelTabManualChoose =
        MakeLabel(page, "labelTabManualChoose", QStringLiteral("Choose hash:"), &chooseFont, {175, 137});
    cbTabManual = MakeHashChoice(page, "cbTabManual", {260, 135, 85, 21});

    const QFont bytesFont = MakeFont(kConsolas, 9, true);
    lbTabManualBytes = MakeLabel(page, "lbTabManualBytes", QStringLiteral("0"), &bytesFont, {562, 137});
    QPalette bytesPalette = lbTabManualBytes->palette();
    bytesPalette.setColor(QPalette::WindowText, Colors::ManualBytesGreen);
    lbTabManualBytes->setPalette(bytesPalette);

    btTabManualCalculate = MakeTextButton(page, "btTabManualCalculate", QStringLiteral("Calculate"), 9.75,
                                          {258, 174, 89, 33}, Colors::LightGreen);
    labelTabManualResult = MakeLabel(page, "labelTabManualResult", QStringLiteral("Result:"), nullptr, {13, 229});
    tbTabManualResult = MakeResultBox(page, "tbTabManualResult", 9, {64, 227, 496, 22});
    btTabManualCopy = MakeCopyButton(page, "btTabManualCopy", {566, 224});

    ctxMenu = Named(new QMenu(this), "ctxMenu");
    components->setProperty("ctxMenu", QVariant::fromValue(static_cast<QObject*>(ctxMenu)));
    ctxMenuClear = Named(ctxMenu->addAction(QStringLiteral("Clear")), "ctxMenuClear");
    ctxMenuPaste = Named(ctxMenu->addAction(QStringLiteral("Paste")), "ctxMenuPaste");
}

void Form1::InitializeStrips() {
    // Status strip: the status line stretching, then the cancel split button, then the progress bar
    // at the right end.
    statusStrip = Named(new QStatusBar(this), "statusStrip");
    statusStrip->setGeometry(0, 325, 610, 26);
    statusStrip->setSizeGripEnabled(false);
    statusStrip->setFocusPolicy(Qt::NoFocus);
    statusStrip->setStyleSheet(QStringLiteral("QStatusBar { background: rgb(240, 240, 240); }"
                                              "QStatusBar::item { border: none; }"));

    toolStripStatusLabel = Named(new QLabel(statusStrip), "toolStripStatusLabel");
    toolStripStatusLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    toolStripStatusLabel->setAttribute(Qt::WA_TranslucentBackground);
    toolStripStatusLabel->setMinimumSize(1, 21);
    toolStripStatusLabel->resize(358, 21);
    toolStripStatusLabel->setTextFormat(Qt::PlainText);

    tsCancel = Named(new QToolButton(statusStrip), "tsCancel");
    tsCancel->setText(QStringLiteral("Options"));
    tsCancel->setToolButtonStyle(Qt::ToolButtonIconOnly);
    tsCancel->setIcon(QIcon(QStringLiteral(":/quorvel/cancel.png")));
    tsCancel->setIconSize(QSize(20, 20));
    tsCancel->setPopupMode(QToolButton::MenuButtonPopup);
    tsCancel->setFixedSize(36, 24);
    tsCancel->setFocusPolicy(Qt::NoFocus);
    tsCancel->setAutoRaise(false);
    tsCancel->setStyleSheet(QStringLiteral("QToolButton { background: rgb(211, 211, 211); border: none; "
                                           "padding-right: 11px; }"
                                           "QToolButton:hover { border: 1px solid rgb(0, 120, 215); "
                                           "background: rgb(201, 224, 247); }"
                                           "QToolButton::menu-button { width: 11px; border: none; }"));
    tsCancelDropDown = Named(new QMenu(tsCancel), "tsCancelDropDown");
    tsiCancel = Named(
        new QAction(QIcon(QStringLiteral(":/quorvel/cancel-item.png")), QStringLiteral("Cancel"), tsCancelDropDown),
        "tsiCancel");
    tsiCancel->setFont(MakeFont(kCalibri, 9));
    tsCancelDropDown->addAction(tsiCancel);
    tsCancel->setMenu(tsCancelDropDown);

    tsProgressBar = Named(new QProgressBar(statusStrip), "tsProgressBar");
    tsProgressBar->setRange(0, 100);
    tsProgressBar->setValue(0);
    tsProgressBar->setTextVisible(false);
    tsProgressBar->setFixedSize(200, 20);
    // The desktop toolkit's continuous bar is green.
    SetBackground(tsProgressBar, QPalette::Highlight, QColor(6, 176, 37));

    // The strip's own layout keeps a line at the top for its size grip; the items go in a row of their
    // own that fills the strip: the status line stretching, the split button, then the bar at the
    // right end with its margins (left 1, top and bottom 3).
    auto* row = Named(new QWidget(statusStrip), "statusStripItems");
    row->setGeometry(0, 0, 610, 26);
    auto* items = new QHBoxLayout(row);
    items->setContentsMargins(1, 0, 0, 0);
    items->setSpacing(0);
    items->addWidget(toolStripStatusLabel, 1, Qt::AlignVCenter);
    items->addWidget(tsCancel, 0, Qt::AlignVCenter);
    items->addSpacing(1);
    items->addWidget(tsProgressBar, 0, Qt::AlignVCenter);
    row->setAttribute(Qt::WA_TranslucentBackground);

    // Menu strip with the Help menu.
    menuStrip1 = Named(new QMenuBar(this), "menuStrip1");
    menuStrip1->setGeometry(0, 0, 610, 24);
    menuStrip1->setNativeMenuBar(false);
    aboutToolStripMenuItem = Named(menuStrip1->addMenu(QStringLiteral("Help")), "aboutToolStripMenuItem");
    aboutToolStripMenuItem1 =
        Named(aboutToolStripMenuItem->addAction(QStringLiteral("About")), "aboutToolStripMenuItem1");
    donateToolStripMenuItem =
        Named(aboutToolStripMenuItem->addAction(QStringLiteral("Donate")), "donateToolStripMenuItem");
    websiteToolStripMenuItem =
        Named(aboutToolStripMenuItem->addAction(QStringLiteral("Website")), "websiteToolStripMenuItem");
    // The keys work from anywhere in the window but are not shown in the menu, so they are not the
    // actions' own shortcuts.
    aboutShortcut = Named(new QShortcut(QKeySequence(Qt::Key_F12), this), "aboutShortcut");
    aboutShortcut->setContext(Qt::WindowShortcut);
    websiteShortcut = Named(new QShortcut(QKeySequence(Qt::Key_F10), this), "websiteShortcut");
    websiteShortcut->setContext(Qt::WindowShortcut);
}

void Form1::WireEvents() {
    // Single file.
    connect(btTabSingleBrowse, &QPushButton::clicked, this, [this] { btTabSingleBrowse_Click(btTabSingleBrowse); });
    connect(btTabSingleMD5, &QPushButton::clicked, this, [this] { btTabSingleMD5_Click(btTabSingleMD5); });
    connect(btTabSingleSHA1, &QPushButton::clicked, this, [this] { btTabSingleSHA1_Click(btTabSingleSHA1); });
    connect(btTabSingleSHA256, &QPushButton::clicked, this, [this] { btTabSingleSHA256_Click(btTabSingleSHA256); });
    connect(btTabSingleSHA512, &QPushButton::clicked, this, [this] { btTabSingleSHA512_Click(btTabSingleSHA512); });
    connect(btCopyMD5, &QPushButton::clicked, this, [this] { btCopyMD5_Click(btCopyMD5); });
    connect(btCopySHA1, &QPushButton::clicked, this, [this] { btCopySHA1_Click(btCopySHA1); });
    connect(btCopySHA256, &QPushButton::clicked, this, [this] { btCopySHA256_Click(btCopySHA256); });
    connect(btCopySHA512, &QPushButton::clicked, this, [this] { btCopySHA512_Click(btCopySHA512); });
    connect(btTabSingleSaveAll, &QPushButton::clicked, this, [this] { btTabSingleSaveAll_Click(btTabSingleSaveAll); });
    connect(btTabSingleVerify, &QPushButton::clicked, this, [this] { btTabSingleVerify_Click(btTabSingleVerify); });

    // Multiple files.
    connect(btTabMutipleBrowse, &QPushButton::clicked, this, [this] { btTabMutipleBrowse_Click(btTabMutipleBrowse); });
    connect(btTabMutipleCalculate, &QPushButton::clicked, this,
            [this] { btTabMutipleCalculate_Click(btTabMutipleCalculate); });
    connect(btTabMultipleCopy, &QPushButton::clicked, this, [this] { btTabMultipleCopy_Click(btTabMultipleCopy); });
    connect(btTabMultipleSaveAs, &QPushButton::clicked, this,
            [this] { btTabMultipleSaveAs_Click(btTabMultipleSaveAs); });
    connect(btTabMultipleOpenNotepad, &QPushButton::clicked, this,
            [this] { btTabMultipleOpenNotepad_Click(btTabMultipleOpenNotepad); });

    // Manual input.
    connect(rtbTabManualInput, &QPlainTextEdit::textChanged, this, [this] { TabManualTextChanged(rtbTabManualInput); });
    rtbTabManualInput->KeyDown = [this](QObject* sender, KeyEventArgs& e) {
        TabManualKeyDown(sender, e);
    };
    rtbTabManualInput->KeyPress = [this](QObject* sender, KeyPressEventArgs& e) {
        TabManualKeyPressed(sender, e);
    };
    rtbTabManualInput->KeyUp = [this](QObject* sender, KeyEventArgs& e) {
        TabManualKeyUp(sender, e);
    };
    connect(rtbTabManualInput, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { ctxMenu->popup(rtbTabManualInput->viewport()->mapToGlobal(pos)); });
    connect(checkBoxTabManual, &QCheckBox::toggled, this,
            [this] { checkBoxTabManual_CheckedChanged(checkBoxTabManual); });
    connect(cbTabManual, &QComboBox::currentIndexChanged, this,
            [this] { cbTabManual_SelectedIndexChanged(cbTabManual); });
    connect(btTabManualCalculate, &QPushButton::clicked, this,
            [this] { btTabManualCalculate_Click(btTabManualCalculate); });
    connect(btTabManualCopy, &QPushButton::clicked, this, [this] { btTabManualCopy_Click(btTabManualCopy); });
    connect(ctxMenuClear, &QAction::triggered, this, [this] { ctxMenuClear_Click(ctxMenuClear); });
    connect(ctxMenuPaste, &QAction::triggered, this, [this] { ctxMenuPaste_Click(ctxMenuPaste); });

    // Help menu, and its keys.
    connect(aboutToolStripMenuItem1, &QAction::triggered, this,
            [this] { aboutToolStripMenuItem1_Click(aboutToolStripMenuItem1); });
    connect(donateToolStripMenuItem, &QAction::triggered, this,
            [this] { donateToolStripMenuItem_Click(donateToolStripMenuItem); });
    connect(websiteToolStripMenuItem, &QAction::triggered, this,
            [this] { websiteToolStripMenuItem_Click(websiteToolStripMenuItem); });
    connect(aboutShortcut, &QShortcut::activated, aboutToolStripMenuItem1, &QAction::trigger);
    connect(websiteShortcut, &QShortcut::activated, websiteToolStripMenuItem, &QAction::trigger);

    // Status strip.
    connect(tsCancel, &QToolButton::clicked, this, [this] { tsCancel_ButtonClick(tsCancel); });
    connect(tsiCancel, &QAction::triggered, this, [this] { tsiCancel_Click(tsiCancel); });

    // The worker.
    bgWorker->DoWork = [this](QObject* sender, DoWorkEventArgs& e) {
        bgWorker_DoWork(sender, e);
    };
    bgWorker->ProgressChanged = [this](QObject* sender, ProgressChangedEventArgs& e) {
        bgWorker_ProgressChanged(sender, e);
    };
    bgWorker->RunWorkerCompleted = [this](QObject* sender, RunWorkerCompletedEventArgs& e) {
        bgWorker_RunWorkerCompleted(sender, e);
    };

    // Drops on the pages and the single-file path box reach the window's two handlers.
    InitializeDropTargets();
}

} // namespace quorvel

// The main window: every control, the window's state, and every handler of the window.
// The handlers live in several files by area: Form1_Layout.cpp (InitializeComponent),
// Form1_Startup.cpp (construction, closing, the work buffer), Form1_Job.cpp (the job seen from
// the window), Form1_TabSingle.cpp, Form1_TabMultiple.cpp, Form1_TabManual.cpp,
// Form1_DragDrop.cpp, Form1_Help.cpp and Form1_CommandLine.cpp.
#pragma once

#include "Algorithm.h"
#include "BackgroundWorker.h"
#include "Controls.h"
#include "DigestJob.h"
#include "EvpDigest.h"
#include "FileDialogs.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QShortcut;
class QStatusBar;
class QTabWidget;
class QToolButton;

namespace quorvel {

class Form1 : public QWidget {
    Q_OBJECT
public:
    using EAlgorithm = quorvel::EAlgorithm;
    using ETab = quorvel::ETab;
    using InputArguments = quorvel::InputArguments;
    using OutputArguments = quorvel::OutputArguments;
    using Progress = quorvel::Progress;

    // Gives a block of the asked size, uninitialised, or null when it cannot.
    using BufferAllocator = std::function<unsigned char*(int32_t size)>;
    static unsigned char* PlainAllocate(int32_t size);
    // What happens when no work buffer can be had: the process ends with this status.
    using ProcessExit = std::function<void(int status)>;
    static void EnvironmentExit(int status);

    explicit Form1(const QStringList& args, const BufferAllocator& allocate = PlainAllocate,
                   const ProcessExit& exitProcess = EnvironmentExit);
    // Disposal: the buffer goes first (once no job can read into it), then the components.
    ~Form1() override;

    // ---- Window state -------------------------------------------------------------------------
    unsigned char* btWorkBuffer = nullptr;
    int32_t iChunkSize = 0;
    QStringList L_TempFiles;
    // The digest steps the job uses; tests put failing ones here.
    DigestFactory digestFactory = MakeEvpDigest;

    // ---- Menu strip ---------------------------------------------------------------------------
    QMenuBar* menuStrip1 = nullptr;
    QMenu* aboutToolStripMenuItem = nullptr;
    QAction* aboutToolStripMenuItem1 = nullptr;
    QAction* donateToolStripMenuItem = nullptr;
    QAction* websiteToolStripMenuItem = nullptr;
    QShortcut* aboutShortcut = nullptr;   // F12, not shown in the menu
    QShortcut* websiteShortcut = nullptr; // F10, not shown in the menu

    // ---- Status strip -------------------------------------------------------------------------
    QStatusBar* statusStrip = nullptr;
    QLabel* toolStripStatusLabel = nullptr;
    QToolButton* tsCancel = nullptr;
    QMenu* tsCancelDropDown = nullptr;
    QAction* tsiCancel = nullptr;
    QProgressBar* tsProgressBar = nullptr;

    // ---- Tabs ---------------------------------------------------------------------------------
    QTabWidget* tabControl = nullptr;
    QWidget* tabSingle = nullptr;
    QWidget* tabMultiple = nullptr;
    QWidget* tabManual = nullptr;

    // Single file
    QPushButton* btTabSingleBrowse = nullptr;
    QLineEdit* tbTabSingleFilePath = nullptr;
    QPushButton* btTabSingleMD5 = nullptr;
    QPushButton* btTabSingleSHA1 = nullptr;
    QPushButton* btTabSingleSHA256 = nullptr;
    QPushButton* btTabSingleSHA512 = nullptr;
    QLineEdit* tbMD5 = nullptr;
    QLineEdit* tbSHA1 = nullptr;
    QLineEdit* tbSHA256 = nullptr;
    QLineEdit* tbSHA512 = nullptr;
    QPushButton* btCopyMD5 = nullptr;
    QPushButton* btCopySHA1 = nullptr;
    QPushButton* btCopySHA256 = nullptr;
    QPushButton* btCopySHA512 = nullptr;
    QPushButton* btTabSingleVerify = nullptr;
    QPushButton* btTabSingleSaveAll = nullptr;

    // Multiple files
    QPushButton* btTabMutipleBrowse = nullptr;
    QLineEdit* tbTabMultipleFilePath = nullptr;
    QLabel* labelTabMultipleChoose = nullptr;
    QComboBox* cbTabMultiple = nullptr;
    QPushButton* btTabMutipleCalculate = nullptr;
    RichTextBox* rtbTabMultiple = nullptr;
    QPushButton* btTabMultipleCopy = nullptr;
    QPushButton* btTabMultipleSaveAs = nullptr;
    QPushButton* btTabMultipleOpenNotepad = nullptr;

    // Manual input
    QLabel* label1 = nullptr;
    RichTextBox* rtbTabManualInput = nullptr;
    QCheckBox* checkBoxTabManual = nullptr;
    QLabel* labelTabManualChoose = nullptr;
    QComboBox* cbTabManual = nullptr;
    QLabel* lbTabManualBytes = nullptr;
    QPushButton* btTabManualCalculate = nullptr;
    QLabel* labelTabManualResult = nullptr;
    QLineEdit* tbTabManualResult = nullptr;
    QPushButton* btTabManualCopy = nullptr;

    // Context menu of the manual input, owned by the component container.
    QObject* components = nullptr;
    QMenu* ctxMenu = nullptr;
    QAction* ctxMenuClear = nullptr;
    QAction* ctxMenuPaste = nullptr;

    // ---- Non-visual components ----------------------------------------------------------------
    OpenFileDialog TabSingleOpenFileDialog;
    OpenFileDialog TabMultipleOpenFileDialog;
    quorvel::SaveFileDialog SaveFileDialog;
    BackgroundWorker* bgWorker = nullptr;

    // ---- Status line and the job (Form1_Job.cpp) ----------------------------------------------
    void SetStatusLabel(const QString& strStatus);
    void DisableAll();
    void EnableAll();
    void tsCancel_ButtonClick(QObject* sender);
    void tsiCancel_Click(QObject* sender);
    void bgWorker_DoWork(QObject* sender, DoWorkEventArgs& e);
    void bgWorker_ProgressChanged(QObject* sender, ProgressChangedEventArgs& e);
    void bgWorker_RunWorkerCompleted(QObject* sender, RunWorkerCompletedEventArgs& e);

    // ---- Single file (Form1_TabSingle.cpp) ----------------------------------------------------
    void SetTabSingleFilePath(const QString& filePath);
    void btTabSingleBrowse_Click(QObject* sender);
    void btTabSingleMD5_Click(QObject* sender);
    void btTabSingleSHA1_Click(QObject* sender);
    void btTabSingleSHA256_Click(QObject* sender);
    void btTabSingleSHA512_Click(QObject* sender);
    void btCopyMD5_Click(QObject* sender);
    void btCopySHA1_Click(QObject* sender);
    void btCopySHA256_Click(QObject* sender);
    void btCopySHA512_Click(QObject* sender);
    void btTabSingleSaveAll_Click(QObject* sender);
    void btTabSingleVerify_Click(QObject* sender);
    // The digest box that receives a single-file result of the algorithm; null where the tab has none.
    QLineEdit* TabSingleDigestBox(EAlgorithm alg) const;

    // ---- Multiple files (Form1_TabMultiple.cpp) -----------------------------------------------
    void btTabMutipleBrowse_Click(QObject* sender);
    void btTabMutipleCalculate_Click(QObject* sender);
    void btTabMultipleCopy_Click(QObject* sender);
    void btTabMultipleSaveAs_Click(QObject* sender);
    void btTabMultipleOpenNotepad_Click(QObject* sender);
    // Shows a completed multiple-files job; ends by enabling the start controls.
    void TabMultipleShowResult(const std::shared_ptr<OutputArguments>& result);
    // The count text of a multiple-files selection of one or more files: "1 file selected",
    // "3 files selected". A handed-over list goes into TabMultipleOpenFileDialog.Tag as a QStringList;
    // a null (invalid) Tag means the dialog's own FileNames are the selection.
    static QString TabMultipleCountText(qsizetype count);

    // ---- Manual input (Form1_TabManual.cpp) ---------------------------------------------------
    void TabManualTextChanged(QObject* sender);
    void TabManualKeyDown(QObject* sender, KeyEventArgs& e);
    void TabManualKeyPressed(QObject* sender, KeyPressEventArgs& e);
    void TabManualKeyUp(QObject* sender, KeyEventArgs& e);
    void checkBoxTabManual_CheckedChanged(QObject* sender);
    void cbTabManual_SelectedIndexChanged(QObject* sender);
    void btTabManualCalculate_Click(QObject* sender);
    void btTabManualCopy_Click(QObject* sender);
    void ctxMenuClear_Click(QObject* sender);
    void ctxMenuPaste_Click(QObject* sender);
    // The one calculation: 0 shown, 1 no algorithm, 2 not convertible, 3 more than 2048 bytes.
    int32_t TabManualPerformHash();
    // The last accepted input text, canonical; null until the first accepted change.
    QString strLastValidData;

    // ---- Drag and drop (Form1_DragDrop.cpp) ---------------------------------------------------
    void Drag_OnEnter(QObject* sender, QDragEnterEvent* e);
    void Drag_OnDrop(QObject* sender, QDropEvent* e);
    // Makes the window, the two file pages and the single-file path box the drop targets, each
    // taking files wherever the pointer lands on it; the manual-input page takes none.
    void InitializeDropTargets();

    // ---- Help menu (Form1_Help.cpp) -----------------------------------------------------------
    void aboutToolStripMenuItem1_Click(QObject* sender);
    void donateToolStripMenuItem_Click(QObject* sender);
    void websiteToolStripMenuItem_Click(QObject* sender);

    // ---- Start-up and shutdown (Form1_Startup.cpp, Form1_CommandLine.cpp) ----------------------
    // Tries 131072, 65536 and 4096 bytes in turn; false when none can be had.
    static bool AllocateWorkBuffer(const BufferAllocator& allocate, unsigned char*& buffer, int32_t& chunkSize);
    void Form_Closing(QObject* sender, QCloseEvent* e);
    // Sorts the command-line paths into the tabs' selections and picks the first tab.
    void CommandLineIntake(const QStringList& args);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void InitializeComponent();
    void InitializeTabSingle();
    void InitializeTabMultiple();
    void InitializeTabManual();
    void InitializeStrips();
    void WireEvents();

    // One row of the single-file tab: its algorithm and its controls.
    struct TabSingleRow {
        EAlgorithm alg;
        QPushButton* Form1::*startButton;
        QLineEdit* Form1::*digestBox;
        QPushButton* Form1::*copyButton;
    };
    static const TabSingleRow kTabSingleRows[4];
    void TabSingleStart(const TabSingleRow& row);
    void TabSingleCopy(const TabSingleRow& row);
    // Releases the work buffer once no job can read into it any more.
    void ReleaseWorkBuffer();

    // The manual input's text as the document holds it, without the conversions of toPlainText
    // (a no-break space stays itself, so the text check sees it).
    QString TabManualText() const;
    // The change handling for the text `text` with the caret at caretAt, while the box still holds
    // `current` (the same text, unless a typed character is still to be put in).
    void TabManualApplyChange(const QString& current, const QString& text, qsizetype caretAt);
    // Replaces the manual input's text by the smallest edit.
    void TabManualReplaceText(const QString& from, const QString& to);
    // Set while the change handling runs: the notifications its own replacements cause are not
    // handled again.
    bool bTabManualChanging = false;
};

} // namespace quorvel

// Construction of the main window, the work buffer, closing and disposal.
#include "Form1.h"

#include "FormMessageBox.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMenu>

#include <cstdlib>
#include <new>

namespace quorvel {

unsigned char* Form1::PlainAllocate(int32_t size) {
    // Contents deliberately left uninitialised: every read overwrites what it uses.
    return new (std::nothrow) unsigned char[static_cast<size_t>(size)];
}

void Form1::EnvironmentExit(int status) {
    std::exit(status);
}

bool Form1::AllocateWorkBuffer(const BufferAllocator& allocate, unsigned char*& buffer, int32_t& chunkSize) {
    for (const int32_t size : {131072, 65536, 4096}) {
        unsigned char* block = nullptr;
        try {
            block = allocate(size);
        } catch (const std::bad_alloc&) {
            block = nullptr;
        }
        if (block != nullptr) {
            // Both written together, so they always describe the same block.
            buffer = block;
            chunkSize = size;
            return true;
        }
    }
    return false;
}

Form1::Form1(const QStringList& args, const BufferAllocator& allocate, const ProcessExit& exitProcess)
    : QWidget(nullptr) {
    InitializeComponent();

    cbTabMultiple->setCurrentIndex(0);
    cbTabManual->setCurrentIndex(0);

    L_TempFiles.clear();

    if (!AllocateWorkBuffer(allocate, btWorkBuffer, iChunkSize)) {
        FormMessageBox box(QStringLiteral("Bad memory allocation"),
                           QStringLiteral("Memory allocation failed. Program will abort"));
        box.ShowDialog();
        exitProcess(-1);
        return; // only reached when a test replaced the exit
    }

    CommandLineIntake(args);
}

Form1::~Form1() {
    ReleaseWorkBuffer();
    // The component container goes next, with the context menu it owns.
    delete ctxMenu;
    ctxMenu = nullptr;
    delete components;
    components = nullptr;
}

void Form1::ReleaseWorkBuffer() {
    // A job still running reads into the buffer: stop it and wait for it to let go before the
    // buffer is freed. Its ending is never shown, the window being gone.
    if (bgWorker != nullptr) {
        bgWorker->CancelAsync();
        bgWorker->WaitForJobEnd();
    }
    delete[] btWorkBuffer;
    btWorkBuffer = nullptr;
    iChunkSize = 0;
}

void Form1::Form_Closing(QObject* sender, QCloseEvent* e) {
    (void)sender;
    (void)e;
    for (const QString& path : std::as_const(L_TempFiles)) {
        // Each on its own; a file already gone or still held open elsewhere is passed over.
        QFile::remove(path);
    }
}

void Form1::closeEvent(QCloseEvent* event) {
    Form_Closing(this, event);
    event->accept(); // closing is never cancelled
}

void Form1::dragEnterEvent(QDragEnterEvent* event) {
    Drag_OnEnter(this, event);
}

void Form1::dropEvent(QDropEvent* event) {
    Drag_OnDrop(this, event);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::DragEnter) {
        Drag_OnEnter(watched, static_cast<QDragEnterEvent*>(event));
        return true;
    }
    if (event->type() == QEvent::Drop) {
        Drag_OnDrop(watched, static_cast<QDropEvent*>(event));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace quorvel

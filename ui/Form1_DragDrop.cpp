// Files dropped on the window: one becomes the single-file selection, any other number the
// multiple-files selection. Whether a drag may be dropped is decided when it enters; the drop only
// hands the paths over.
#include "Form1.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QTabWidget>
#include <QUrl>

#include <cxxabi.h>

#include <cstdlib>
#include <exception>
#include <memory>
#include <optional>
#include <typeinfo>

namespace quorvel {

namespace {

constexpr int kSingleFileTab = 0;
constexpr int kMultipleFilesTab = 1;

// The dragged data's file list: the local paths of its URL list, in the source's order. Null when
// the data carries no URL list, or one that names anything but local files.
std::optional<QStringList> FileList(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls()) {
        return std::nullopt;
    }
    QStringList paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) {
            return std::nullopt;
        }
        paths.append(url.toLocalFile());
    }
    return paths;
}

// A shortcut by its exact extension, as on the command line: "x.LNK" is an ordinary file.
bool IsShortcutName(const QString& path) {
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1).endsWith(QLatin1String(".lnk"));
}

QString TypeName(const std::type_info& type) {
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> readable(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status),
                                                         &std::free);
    return QString::fromUtf8(status == 0 && readable ? readable.get() : type.name());
}

// What a caught failure was, as a whole: its kind, its message and the handler it broke off.
QString FailureDescription(const char* where) {
    const QString place = QStringLiteral(" (in ") + QLatin1String(where) + QStringLiteral(")");
    try {
        throw;
    } catch (const std::exception& failure) {
        return TypeName(typeid(failure)) + QStringLiteral(": ") + QString::fromUtf8(failure.what()) + place;
    } catch (...) {
        const std::type_info* type = abi::__cxa_current_exception_type();
        return (type != nullptr ? TypeName(*type) : QStringLiteral("unknown failure")) +
               QStringLiteral(": no description") + place;
    }
}

// The manual-input page takes no files. Qt offers a drag that a widget leaves untaken to the
// widgets around it in turn, up to the window, which takes files: so the page answers every drag
// itself, and the text boxes on it every drag of files, with "no drop here". Other drags over the
// text boxes are theirs to take or not.
class ManualPageDragStop : public QObject {
public:
    explicit ManualPageDragStop(QWidget* page) : QObject(page), m_page(page) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) {
            return QObject::eventFilter(watched, event);
        }
        auto* drag = static_cast<QDropEvent*>(event);
        const bool files = drag->mimeData() != nullptr && drag->mimeData()->hasUrls();
        if (watched != m_page && !files) {
            return QObject::eventFilter(watched, event);
        }
        drag->setDropAction(Qt::IgnoreAction);
        if (type == QEvent::DragMove) {
            // Untaken, it goes on to the window, which leaves a move as it finds it.
            drag->ignore();
        } else {
            // Taken with no action: the answer stays "no drop" and goes no further.
            drag->accept();
        }
        return true;
    }

private:
    QWidget* m_page;
};

} // namespace

void Form1::InitializeDropTargets() {
    // Qt offers a drag to the innermost enabled widget under the pointer that accepts drops, then
    // to its parents in turn until one takes it: over the controls of a file page (or the disabled
    // path box) a drag of files reaches the page's handlers, over the menu and the strips the
    // window's.
    for (QWidget* target : {tabSingle, tabMultiple, static_cast<QWidget*>(tbTabSingleFilePath)}) {
        target->setAcceptDrops(true);
        target->installEventFilter(this);
    }

    auto* refusal = new ManualPageDragStop(tabManual);
    tabManual->setAcceptDrops(true);
    tabManual->installEventFilter(refusal);
    for (QWidget* child : tabManual->findChildren<QWidget*>()) {
        if (child->acceptDrops()) {
            child->installEventFilter(refusal);
        }
    }
}

void Form1::Drag_OnEnter(QObject* sender, QDragEnterEvent* e) {
    (void)sender;
    std::optional<QStringList> paths;
    try {
        paths = FileList(e->mimeData());
    } catch (...) {
        // A source that fails to hand over its list has none to drop.
        paths.reset();
    }
    if (!paths) {
        SetStatusLabel(QStringLiteral("Error analyzing files"));
        e->setDropAction(Qt::IgnoreAction);
        e->ignore();
        return;
    }
    bool refused = false;
    for (const QString& path : *paths) {
        // A path that cannot be looked at (gone since the drag began) is no directory; the job
        // reports it like any missing file.
        if (QFileInfo(path).isDir()) {
            refused = true;
        } else if (IsShortcutName(path)) {
            refused = true;
        }
    }
    // Only a link is ever offered. Qt turns a link that the source does not allow into the
    // source's own proposal, and a source told "moved" may delete its files: such a drag is
    // refused instead.
    if (refused || !(e->possibleActions() & Qt::LinkAction)) {
        e->setDropAction(Qt::IgnoreAction);
        e->ignore();
        return;
    }
    // Link only: Qt proposes copy unless told otherwise.
    e->setDropAction(Qt::LinkAction);
    e->accept();
}

void Form1::Drag_OnDrop(QObject* sender, QDropEvent* e) {
    (void)sender;
    try {
        const QMimeData* data = e->mimeData();
        if (data == nullptr || !data->hasUrls()) {
            SetStatusLabel(QStringLiteral("Error dropping file: no data present"));
            e->ignore();
            return;
        }
        const std::optional<QStringList> paths = FileList(data);
        if (!paths) {
            SetStatusLabel(QStringLiteral("Error getting dropped files"));
            e->ignore();
            return;
        }
        e->setDropAction(Qt::LinkAction);
        e->accept();
        if (paths->size() == 1) {
            const QString& path = paths->first();
            SetTabSingleFilePath(path);
            TabSingleOpenFileDialog.FileName = path;
            tabControl->setCurrentIndex(kSingleFileTab);
            for (QLineEdit* box : {tbMD5, tbSHA1, tbSHA256, tbSHA512}) {
                box->clear();
            }
            tsProgressBar->setValue(0);
            return;
        }
        const QStringList selection(*paths);
        TabMultipleOpenFileDialog.Tag = QVariant::fromValue(selection);
        // The plural for every count, none included.
        tbTabMultipleFilePath->setText(QString::number(selection.size()) + QStringLiteral(" files selected"));
        tabControl->setCurrentIndex(kMultipleFilesTab);
        rtbTabMultiple->clear();
        tsProgressBar->setValue(0);
    } catch (...) {
        SetStatusLabel(FailureDescription("Form1::Drag_OnDrop"));
    }
}

} // namespace quorvel

// Another program to drag files from, as a file manager does: a small window that starts a drag of
// the files named on its command line as soon as a mouse button goes down on it, offering copy,
// move and link, and prints what the drop target chose ("link", "copy", "move" or "none").
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>

#include <cstdio>

namespace {

class DragSource : public QWidget {
public:
    explicit DragSource(const QStringList& paths) : m_paths(paths) {
        setWindowTitle(QStringLiteral("quorvel-e2e-drag-source"));
        setGeometry(10, 10, 150, 80);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) {
            return;
        }
        auto* data = new QMimeData;
        QList<QUrl> urls;
        for (const QString& path : m_paths) {
            urls << QUrl::fromLocalFile(path);
        }
        data->setUrls(urls);
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        const Qt::DropAction action = drag->exec(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, Qt::CopyAction);
        const char* name = action == Qt::LinkAction   ? "link"
                           : action == Qt::CopyAction ? "copy"
                           : action == Qt::MoveAction ? "move"
                                                      : "none";
        std::printf("%s\n", name);
        std::fflush(stdout);
        QApplication::quit();
    }

private:
    QStringList m_paths;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList paths = QApplication::arguments();
    paths.removeFirst();
    DragSource source(paths);
    source.show();
    return QApplication::exec();
}

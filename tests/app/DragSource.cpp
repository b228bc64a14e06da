// A drag source of another process for the desktop tests: a small window
// that, when the button goes down in it, drags the addresses of its first
// argument ("text/uri-list") until the button comes up, then ends.
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QWidget>

namespace {

class DragSource final : public QWidget {
public:
    explicit DragSource(QByteArray uriList) : m_uriList(std::move(uriList)) {
        setWindowTitle(QStringLiteral("sw drag source"));
        setGeometry(1000, 100, 160, 160);
    }

protected:
    void mousePressEvent(QMouseEvent*) override {
        auto* drag = new QDrag(this);
        auto* mime = new QMimeData;
        mime->setData(QStringLiteral("text/uri-list"), m_uriList);
        drag->setMimeData(mime);
        drag->exec(Qt::CopyAction);
        QApplication::quit();
    }

private:
    QByteArray m_uriList;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        return 2;
    }
    DragSource source{QByteArray(argv[1])};
    source.show();
    return QApplication::exec();
}

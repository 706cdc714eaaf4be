// One start-up, ended right after the main window's first paint. The start-up
// benchmark runs it as a child process, so that each start is measured whole,
// from exec to the picture on screen, with its own peak memory.
//   bench_startup_probe program   the program's own start-up
//   bench_startup_probe bare      a QApplication with an empty QMainWindow
//   bench_startup_probe text      the same window showing one line of text
// On stdout: the number of widgets that existed at that paint.

#include "gui/app/orvaneapplication.h"
#include "gui/app/program.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QWidget>

#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

// Ends the process once the first paint of a main window has been delivered.
// It leaves at once, without tearing the windows down: the teardown is not
// part of a start-up.
class FirstPaint : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_seen && event->type() == QEvent::Paint && watched->isWidgetType() &&
            qobject_cast<QMainWindow *>(static_cast<QWidget *>(watched)->window())) {
            m_seen = true;
            QMetaObject::invokeMethod(this, &FirstPaint::finish, Qt::QueuedConnection);
        }
        return false;
    }

private:
    static void finish()
    {
        std::printf("widgets %d\n", int(QApplication::allWidgets().size()));
        std::fflush(stdout);
        _exit(0);
    }

    bool m_seen = false;
};

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2 || (std::strcmp(argv[1], "program") != 0 && std::strcmp(argv[1], "bare") != 0 &&
                      std::strcmp(argv[1], "text") != 0)) {
        std::fprintf(stderr, "usage: bench_startup_probe program|bare|text\n");
        return 2;
    }
    FirstPaint firstPaint;
    if (std::strcmp(argv[1], "bare") == 0) {
        QApplication app(argc, argv);
        app.installEventFilter(&firstPaint);
        QMainWindow window;
        window.showMaximized();
        return app.exec();
    }
    if (std::strcmp(argv[1], "text") == 0) {
        // Any window with text pays for the font database on its first paint.
        QApplication app(argc, argv);
        app.installEventFilter(&firstPaint);
        QMainWindow window;
        window.setCentralWidget(new QLabel(QStringLiteral("Orvane 707")));
        window.showMaximized();
        return app.exec();
    }

    // As the program's main(), without its one argument.
    int programArgc = 1;
    OrvaneApplication app(programArgc, argv);
    app.installEventFilter(&firstPaint);
    Program program({});
    program.start();
    return app.exec();
}

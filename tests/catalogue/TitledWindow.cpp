// A stand-in for a game in tests: after --delay milliseconds it opens a window titled --title,
// and --life milliseconds later it closes it and ends.
#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName("titled-window");
    QCommandLineParser parser;
    const QCommandLineOption title("title", "window title", "text", "Korvo's Test Game");
    const QCommandLineOption delay("delay", "ms before the window opens", "ms", "0");
    const QCommandLineOption life("life", "ms the window stays open", "ms", "1000");
    parser.addOptions({title, delay, life});
    parser.process(app);

    QWidget window;
    window.setWindowTitle(parser.value(title));
    window.resize(160, 120);
    const int opensAfter = parser.value(delay).toInt();
    QTimer::singleShot(opensAfter, &window, [&window] { window.show(); });
    QTimer::singleShot(opensAfter + parser.value(life).toInt(), &app, &QCoreApplication::quit);
    return QApplication::exec();
}

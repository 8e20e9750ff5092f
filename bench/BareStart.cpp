// The yardstick of the game's start-up: a bare Qt program that shows a window like the intro
// (the background picture, the story and its hint in the game's face) and then builds a main
// window with the game's menus, without any of the game's logic or sound. bench/measure.sh
// times it beside the staged game.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

#include <memory>

namespace {

QFont comic(double points) {
    QFont font;
    font.setFamilies({"Comic Sans MS", "Comic Neue"});
    font.setPointSizeF(points);
    return font;
}

void buildMainWindow(QMainWindow& window) {
    QMenu* game = window.menuBar()->addMenu("&Game");
    QMenu* newGame = game->addMenu("&New Game");
    newGame->addAction("Challenge &1 (Linear Equations)");
    newGame->addAction("Challenge &2 (Tricky Linear Equations)");
    newGame->addAction("Challenge &3 (Quadratric Equations)");
    game->addAction("&Hall of Fame");
    game->addSeparator();
    game->addAction("&Silent")->setCheckable(true);
    game->addSeparator();
    game->addAction("&Exit");
    QMenu* help = window.menuBar()->addMenu("&Help");
    help->addAction("&Contents")->setShortcut(Qt::Key_F1);
    help->addSeparator();
    help->addAction("&About Korvo's Zeltrix");
    window.setWindowTitle("Korvo's Zeltrix  V2.1.0");
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName("Korvo's Zeltrix");

    QWidget intro;
    intro.setFixedSize(632, 453);
    QPalette black = intro.palette();
    black.setColor(QPalette::Window, Qt::black);
    intro.setPalette(black);
    intro.setAutoFillBackground(true);
    auto* picture = new QLabel(&intro);
    picture->setPixmap(QPixmap(ZELTRIX_DIR "/add/background.gif"));
    picture->move(0, 480);
    auto* story = new QLabel("The Story So Far :\nAcross oceans of space, there lies a barren "
                             "planet, devoid of all life.",
                             &intro);
    story->setFont(comic(11.25));
    story->setWordWrap(true);
    story->setGeometry(215, 457, 237, 300);
    auto* hint = new QLabel("Press any key to skip intro", &intro);
    hint->setFont(comic(8.25));
    hint->move(4, 1);
    if (const QScreen* screen = intro.screen()) {
        intro.move(screen->availableGeometry().center() - intro.rect().center());
    }
    intro.show();

    std::unique_ptr<QMainWindow> main;
    QTimer::singleShot(0, [&main] {
        main = std::make_unique<QMainWindow>();
        buildMainWindow(*main);
    });
    return QApplication::exec();
}

// Korvo's Zeltrix: creates the real services and hands them to the game and its windows.
#include "Captions.h"
#include "DataPath.h"
#include "FrmAbout.h"
#include "FrmIntro.h"
#include "FrmMain.h"
#include "Game.h"
#include "Help.h"
#include "HiScoreBoard.h"
#include "Modal.h"
#include "NiceBox.h"
#include "QtMessages.h"
#include "Random.h"
#include "SdlPlayer.h"
#include "SoundBoard.h"
#include "TimerSpritePlayer.h"

#include <QApplication>
#include <QIcon>
#include <QScreen>

#include <memory>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // The intro has no caption; X then shows the application name. It is the game's title, so
    // that the launcher, which looks for a window whose title holds "Korvo's", finds the game
    // from its first window on.
    QCoreApplication::setApplicationName(QString::fromStdString(zeltrix::AppTitle));
    korvo::setProgramDir(QCoreApplication::applicationDirPath().toStdString());
    QApplication::setWindowIcon(QIcon(QString::fromStdString(korvo::dataPath("life.gif"))));

    // The sound device and the anthem's sound font load beside the intro window, which shows
    // at once; the anthem starts when they are ready.
    korvo::SdlPlayer player;
    player.Prepare(korvo::dataPath("anthem1.mid"));
    korvo::QtMessages platformMessages(zeltrix::AppTitle);
    korvo::setMessages(&platformMessages);
    korvo::SoundBoard sound(player);
    korvo::TimerSpritePlayer robotSprite;
    korvo::TimerSpritePlayer hallOfFameSprite;
    korvo::ClockRandom random;
    zeltrix::NiceBox messages(sound);
    zeltrix::HiScoreBoard hallOfFame(sound, hallOfFameSprite);
    zeltrix::QtWindows windows;
    zeltrix::Game game({messages, hallOfFame, sound, robotSprite, random, windows});

    std::unique_ptr<zeltrix::FrmMain> frmMain;
    std::unique_ptr<zeltrix::FrmIntro> frmIntro;

    auto startMainWindow = [&] {
        frmMain = std::make_unique<zeltrix::FrmMain>(game);
        zeltrix::FrmMain* window = frmMain.get();
        window->onHelp = [] { zeltrix::ShowHelp(); };
        window->onAbout = [window] {
            zeltrix::FrmAbout about(window);
            korvo::showModal(about);
        };
        window->onUnload = [&] { frmIntro->close(); };
        windows.setForm(zeltrix::Form::Main, window);
        windows.beforeEvents = [window] { window->refresh(); };
        robotSprite.setOnFrame([window] { window->refresh(); });
        QCoreApplication::processEvents();
        // Without a window manager nobody maximises the window: cover the screen ourselves.
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            window->setGeometry(screen->availableGeometry());
        }
        window->showMaximized();
        window->activateWindow();
        zeltrix::SetMainCaptions(game.field());
        window->refresh();
    };
    frmIntro = std::make_unique<zeltrix::FrmIntro>(sound, player, startMainWindow);

    const int status = QApplication::exec();
    robotSprite.Stop();
    hallOfFameSprite.Stop();
    return status;
}

// Korvo Control Panel: creates the real services and hands them to the logic and its windows.
// The logo comes first: it installs the shipped games at a first start, plays its animation and
// then shows the main window.
#include "Catalogue.h"
#include "ControlPanel.h"
#include "DataPath.h"
#include "FrmLogo.h"
#include "FrmMain.h"
#include "Installation.h"
#include "OnlineDialogs.h"
#include "QtMessages.h"
#include "Random.h"
#include "RegFunctions.h"
#include "Registry.h"
#include "SdlPlayer.h"
#include "Shell.h"
#include "XWindowFinder.h"

#include <QApplication>
#include <QIcon>

#include <memory>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // X shows the application name as the title of windows without a caption, such as the
    // logo. The launcher waits while a window titled "Korvo's ..." exists, so its own name must
    // not read so.
    QCoreApplication::setApplicationName("Korvo Control Panel");
    korvo::setProgramDir(QCoreApplication::applicationDirPath().toStdString());
    QApplication::setWindowIcon(QIcon(QString::fromStdString(korvo::dataPath("icon.png"))));

    korvo::QtMessages platformMessages("Korvo Control Panel");
    korvo::setMessages(&platformMessages);
    korvo::ClockRandom random;
    korvo::XWindowFinder windows;
    launcher::QtScreen screen;
    launcher::OnlineDialogs dialogs(korvo::messages());
    korvo::Registry registry;
    launcher::RegFunctions regFunctions(registry);

    launcher::Catalogue catalogue;
    launcher::Installation installation({korvo::shell(), korvo::messages(), regFunctions},
                                        catalogue);
    // The launcher's one sound player plays every clip of the run; the logo owns it.
    launcher::FrmLogo frmLogo(std::make_unique<korvo::SdlPlayer>(), windows, screen, installation,
                              catalogue);
    launcher::ControlPanel panel(
        {frmLogo.sound(), random, windows, korvo::shell(), korvo::messages(), screen, dialogs},
        catalogue);
    launcher::FrmMain frmMain(panel);
    dialogs.setOwner(&frmMain);

    bool mainLoaded = false;
    screen.beforeEvents = [&] {
        frmLogo.refresh();
        if (mainLoaded) {
            frmMain.refresh();
        }
    };
    frmLogo.onShowMain = [&] {
        mainLoaded = true;
        frmMain.Form_Load();
    };
    QObject::connect(&frmMain, &launcher::FrmMain::unloaded, &frmLogo, &launcher::FrmLogo::unload);

    frmLogo.Form_Load();
    return QApplication::exec();
}

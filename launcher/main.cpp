// Korvo Control Panel: creates the real services and hands them to the panel and its windows.
#include "Catalogue.h"
#include "ControlPanel.h"
#include "DataPath.h"
#include "FrmMain.h"
#include "OnlineDialogs.h"
#include "OnlineSetup.h"
#include "QtHttpClient.h"
#include "QtMessages.h"
#include "Random.h"
#include "SdlPlayer.h"
#include "Shell.h"
#include "SoundBoard.h"
#include "XWindowFinder.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // X shows the application name as the title of windows without a caption. The launcher
    // waits while a window titled "Korvo's ..." exists, so its own name must not read so.
    QCoreApplication::setApplicationName("Korvo Control Panel");
    korvo::setProgramDir(QCoreApplication::applicationDirPath().toStdString());
    QApplication::setWindowIcon(QIcon(QString::fromStdString(korvo::dataPath("icon.png"))));

    korvo::QtMessages platformMessages("Korvo Control Panel");
    korvo::setMessages(&platformMessages);
    // The launcher's one sound player plays every clip of the run.
    korvo::SdlPlayer player;
    korvo::SoundBoard sound(player);
    korvo::ClockRandom random;
    korvo::XWindowFinder windows;
    launcher::QtScreen screen;
    // Installing a downloaded component comes with the install watcher.
    struct NotYetInstaller : launcher::ComponentInstaller {
        bool InstallComponent(const std::string&) override {
            korvo::PlatformMessage(launcher::kNotAvailable, korvo::MessageIcon::Information);
            return false;
        }
        void StartInstallWatcher() override {}
    } installer;
    korvo::QtHttpClient http;

    launcher::Catalogue catalogue;
    catalogue.SetComponentsDir(korvo::programDir());
    const launcher::OnlineSetup online{catalogue.ComponentsDir(), installer, http};
    launcher::OnlineDialogs dialogs(korvo::messages(), online);
    launcher::ControlPanel panel(
        {sound, random, windows, korvo::shell(), korvo::messages(), screen, dialogs}, catalogue);
    launcher::FrmMain frmMain(panel);
    dialogs.setOwner(&frmMain);
    screen.beforeEvents = [&frmMain] { frmMain.refresh(); };

    frmMain.Form_Load();
    return QApplication::exec();
}

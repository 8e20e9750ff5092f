// Korvo Control Panel: creates the real services and hands them to the logic and its windows.
// The logo comes first: it installs the shipped games at a first start, plays its animation and
// then shows the main window.
#include "Catalogue.h"
#include "ChildPrograms.h"
#include "ControlPanel.h"
#include "DataPath.h"
#include "FrmLogo.h"
#include "Installation.h"
#include "MainWindow.h"
#include "OnlineDialogs.h"
#include "OnlineSetup.h"
#include "QtHttpClient.h"
#include "QtMessages.h"
#include "Random.h"
#include "RegFunctions.h"
#include "Registry.h"
#include "SdlPlayer.h"
#include "XWindowFinder.h"

#include <QApplication>
#include <QIcon>

#include <memory>

namespace {

// A downloaded component is installed as the shipped one is, and the main window waits for it.
// The online windows are made before the main window's logic, which needs them.
class PanelInstaller : public launcher::ComponentInstaller {
public:
    bool InstallComponent(const std::string& path, const std::string& game) override {
        return programs != nullptr && programs->InstallComponent(path, game);
    }
    launcher::StartedPrograms* programs = nullptr;
};

} // namespace

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
    korvo::ChildPrograms programs;
    korvo::QtTimers timers;
    launcher::QtScreen screen;
    korvo::Registry registry;
    launcher::RegFunctions regFunctions(registry);
    korvo::QtHttpClient http;

    launcher::Catalogue catalogue(KORVO_USER_GAMES != 0);
    catalogue.SetComponentsDir(korvo::programDir());
    launcher::Installation installation({programs, korvo::messages(), regFunctions, timers},
                                        catalogue);
    // The launcher's one sound player plays every clip of the run; the logo owns it. The sound
    // device and the tune load beside the logo, which shows at once; the tune starts when they
    // are ready.
    auto player = std::make_unique<korvo::SdlPlayer>();
    player->Prepare(korvo::dataPath(launcher::kIntroTune));
    launcher::FrmLogo frmLogo(std::move(player), installation, catalogue);

    PanelInstaller installer;
    const launcher::OnlineSetup online{catalogue.ComponentsDir(), installer, http, timers};
    launcher::OnlineDialogs dialogs(online);
    launcher::ControlPanel panel(
        {frmLogo.sound(), random, windows, programs, timers, korvo::messages(), screen, dialogs},
        catalogue, installation);
    installer.programs = &panel.programs();
    launcher::MainWindow frmMain(panel);
    dialogs.setOwner(&frmMain);
    frmLogo.onShowMain = [&] { frmMain.Form_Load(); };
    QObject::connect(&frmMain, &launcher::MainWindow::unloaded, &frmLogo,
                     &launcher::FrmLogo::unload);

    frmLogo.Form_Load();
    return QApplication::exec();
}

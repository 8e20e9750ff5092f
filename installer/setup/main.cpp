// The setup program: the head of every component file. Started with the components directory as
// its one argument, it checks its own file's signature and installs the game it carries.
//
// Its exit status tells the launcher how it ended:
//   0  installed (and, unless it could not be written, the game's entry added to the desktop's
//      menus);
//   1  failed, after its window showed why (the user closed it);
//   2  cancelled by the user (Cancel, Escape, the window's close box), or by SIGTERM, SIGINT or
//      SIGHUP while working; the temporary folder goes as after the Cancel button.
#include "DesktopEntry.h"
#include "FrmSetup.h"
#include "GameFolders.h"
#include "Install.h"
#include "StopSignals.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QMetaObject>
#include <QTimer>

#include <atomic>
#include <cstdio>
#include <thread>

namespace {

// The game's entry in the desktop's menus. The game is installed and plays without it, so a
// failure is only said.
void addToMenu(const std::filesystem::path& componentsDir, const std::string& game) {
    std::string failure = "its program file is missing";
    if (const auto files = korvo::findGame(componentsDir, game)) {
        std::error_code error;
        // The uninstaller knows its folder by its real path and removes the entry by it.
        const std::filesystem::path program = std::filesystem::canonical(files->program, error);
        failure =
            korvo::writeMenuEntry(korvo::userDataHome(), game, error ? files->program : program,
                                  files->folder / "add/screendump.gif");
    }
    if (!failure.empty()) {
        std::fprintf(stderr, "Korvo's Game Components Setup: %s was installed, but %s.\n",
                     game.c_str(), failure.c_str());
    }
}

} // namespace

int main(int argc, char* argv[]) {
    korvo::catchStopSignals();
    // Qt's own plugins only: the program runs from the components folder, and nothing there is
    // loaded (its built-in qt.conf keeps Qt from reading one there either).
    QCoreApplication::setLibraryPaths({QLibraryInfo::path(QLibraryInfo::PluginsPath)});
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName("Korvo's Game Components Setup");
    korvo::FrmSetup window;
    window.show();

    std::atomic<bool> cancelled = false;
    window.onCancel = [&cancelled] { cancelled = true; };
    int status = 1;
    auto fail = [&window](const QString& reason) {
        window.showFailure(reason);
        // Also for whoever started it from a terminal.
        std::fprintf(stderr, "%s: %s\n", qPrintable(window.windowTitle()), qPrintable(reason));
    };

    std::atomic<bool> working = false;
    QTimer stopWatch;
    QObject::connect(&stopWatch, &QTimer::timeout, [&] {
        if (korvo::stopAsked()) {
            cancelled = true;
            if (!working) {
                window.done(QDialog::Rejected);
            }
        }
    });
    stopWatch.start(100);

    std::thread worker;
    if (argc != 2 || argv[1][0] == '\0') {
        fail(QObject::tr("No components folder was given. This installer is started by Korvo "
                         "Control Panel, which names the folder the game goes into."));
    } else {
        const std::filesystem::path componentsDir = argv[1];
        working = true;
        worker = std::thread([&, componentsDir] {
            korvo::InstallHooks hooks;
            hooks.named = [&window](const std::string& game) {
                QMetaObject::invokeMethod(&window, [&window, name = QString::fromStdString(game)] {
                    window.showGame(name);
                });
            };
            hooks.waiting = [&window] {
                QMetaObject::invokeMethod(&window, [&window] { window.showWaiting(); });
            };
            // The bar moves in thousandths: no more events than that.
            std::uint64_t shown = 0;
            hooks.progress = [&window, &shown](std::uint64_t done, std::uint64_t total) {
                const std::uint64_t step = total == 0 ? 0 : done * 1000 / total;
                if (step != shown) {
                    shown = step;
                    QMetaObject::invokeMethod(
                        &window, [&window, done, total] { window.showProgress(done, total); });
                }
            };
            hooks.cancelled = [&cancelled] { return cancelled.load(); };
            const korvo::InstallResult result = korvo::installComponent(
                "/proc/self/exe", componentsDir, korvo::componentPublicKey(), hooks);
            if (result.ok) {
                addToMenu(componentsDir, result.gameFolder);
            }
            QMetaObject::invokeMethod(&window, [&, result] {
                working = false;
                if (result.ok) {
                    status = 0;
                    window.accept();
                } else if (cancelled) {
                    status = 2;
                    window.done(QDialog::Rejected); // the user asked for it: nothing more to say
                } else {
                    fail(QString::fromStdString(result.reason));
                }
            });
        });
    }
    QObject::connect(&window, &QDialog::finished, &app, &QCoreApplication::quit);
    QApplication::exec();
    if (worker.joinable()) {
        worker.join();
    }
    return status;
}

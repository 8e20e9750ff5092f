// "uninstall components.exe": removes the installed games of the components directory that
// holds it. Started with "CP" by the launcher and without an argument by the desktop's software
// menu; both do the same.
//
// Its exit status tells the launcher how it ended:
//   0  the games were removed (when files the player changed were kept, once the window that
//      says so is closed), or there were none to remove;
//   1  failed, after its window showed why (the user closed it);
//   2  closed without removing anything (Cancel, Escape, the window's close box, SIGTERM, SIGINT
//      or SIGHUP). A stop asked while games are being removed waits until they are.
#include "DesktopEntry.h"
#include "FrmUninstall.h"
#include "Registry.h"
#include "Removal.h"
#include "StopSignals.h"
#include "Uninstaller.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QMetaObject>
#include <QTimer>

#include <cstdio>
#include <thread>

int main(int argc, char* argv[]) {
    korvo::catchStopSignals();
    // Qt's own plugins only: the program runs from the components folder, and nothing there is
    // loaded (its built-in qt.conf keeps Qt from reading one there either).
    QCoreApplication::setLibraryPaths({QLibraryInfo::path(QLibraryInfo::PluginsPath)});
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName("Korvo's Game Components - Uninstall");
    korvo::Registry registry;
    korvo::UninstallPlace place;
    place.componentsDir = QCoreApplication::applicationDirPath().toStdString();
    place.self = QCoreApplication::applicationFilePath().toStdString();
    place.registry = &registry;
    place.dataHome = korvo::userDataHome();
    const QString shownDir = QString::fromStdString(place.componentsDir.string());

    std::vector<std::string> games;
    QString failure;
    try {
        games = korvo::findInstalledGames(place.componentsDir);
    } catch (const std::exception& error) {
        failure = QString::fromStdString(error.what());
    }
    korvo::FrmUninstall window(games, shownDir);
    int status = games.empty() ? 0 : 2;
    auto fail = [&](const QString& reason) {
        status = 1;
        window.showFailure(reason);
        std::fprintf(stderr, "%s: %s\n", qPrintable(window.windowTitle()), qPrintable(reason));
    };
    if (!failure.isEmpty()) {
        fail(failure);
    } else if (games.empty()) {
        // Nothing is left to remove, so neither the entry nor the uninstaller is needed. An
        // installation that holds the lock is about to add a game: then nothing is cleaned up,
        // and the window is not held back waiting for it.
        korvo::UninstallPlace now = place;
        now.lockTimeout = std::chrono::milliseconds(0);
        korvo::removeGames(now, {});
    }

    std::thread worker;
    window.onRemove = [&] {
        worker = std::thread([&] {
            const auto result = korvo::removeGames(place, games, [&window] {
                QMetaObject::invokeMethod(&window, [&window] { window.showWaiting(); });
            });
            QMetaObject::invokeMethod(&window, [&, result] {
                if (result.ok && result.keptPlayerFiles > 0) {
                    status = 0;
                    window.showRemoved(result.keptPlayerFiles);
                } else if (result.ok) {
                    status = 0;
                    window.accept();
                } else {
                    fail(QString::fromStdString(result.reason));
                }
            });
        });
    };
    // A stop closes the window as Cancel does, so not while games are being removed.
    QTimer stopWatch;
    QObject::connect(&stopWatch, &QTimer::timeout, [&window] {
        if (korvo::stopAsked()) {
            window.close();
        }
    });
    stopWatch.start(100);
    window.show();
    QObject::connect(&window, &QDialog::finished, &app, &QCoreApplication::quit);
    QApplication::exec();
    if (worker.joinable()) {
        worker.join();
    }
    return status;
}

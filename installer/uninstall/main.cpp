// "uninstall components.exe": removes the installed games of the components directory that
// holds it. Started with "CP" by the launcher and without an argument by the desktop's software
// menu; both do the same.
#include "FrmUninstall.h"
#include "Registry.h"
#include "Removal.h"
#include "Uninstaller.h"

#include <QApplication>
#include <QMetaObject>

#include <cstdio>
#include <thread>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName("Korvo's Game Components - Uninstall");
    korvo::Registry registry;
    korvo::UninstallPlace place;
    place.componentsDir = QCoreApplication::applicationDirPath().toStdString();
    place.self = QCoreApplication::applicationFilePath().toStdString();
    place.registry = &registry;
    place.desktopEntry = korvo::desktopEntryFile();
    const QString shownDir = QString::fromStdString(place.componentsDir.string());

    std::vector<std::string> games;
    QString failure;
    try {
        games = korvo::findInstalledGames(place.componentsDir);
    } catch (const std::exception& error) {
        failure = QString::fromStdString(error.what());
    }
    korvo::FrmUninstall window(games, shownDir);
    int status = 0;
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
                if (result.ok) {
                    window.accept();
                } else {
                    fail(QString::fromStdString(result.reason));
                }
            });
        });
    };
    window.show();
    QObject::connect(&window, &QDialog::finished, &app, &QCoreApplication::quit);
    QApplication::exec();
    if (worker.joinable()) {
        worker.join();
    }
    return status;
}

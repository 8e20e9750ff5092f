#pragma once

#include "ControlPanel.h"
#include "DataPath.h"
#include "LauncherFakes.h"
#include "Pack.h"
#include "Signing.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using Texts = std::vector<std::string>;

// The launcher over fakes, in a temporary folder holding the launcher's folder with its add/
// (an uninstaller, no catalogue) and, beside it, the components folder; the components are
// signed with a key pair of the test's own.
struct LauncherFixture {
    LauncherFixture() {
        QDir().mkpath(components);
        korvo::setProgramDir(app.toStdString());
        catalogue.SetComponentsDir(app.toStdString());
        write(app + "/add/uninstall components.exe", "uninstaller");
        // Another program's window, open all along: it must never hold anything back.
        windows.windows = {{1, "Korvo's notes.txt", 99}};
    }

    static void write(const QString& path, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    // A catalogue of the given names, each with the story "About <name>."
    void offer(const QStringList& names) {
        QByteArray text;
        for (const QString& name : names) {
            text += "\"" + name.toUtf8() + "\",\"About " + name.toUtf8() + ".\",\"\"\r\n";
        }
        write(app + "/add/games.txt", text);
    }
    // A file under the components folder.
    void onDisk(const QString& entry) { write(components + entry, "program"); }
    // Installs a game: its folder, program file and screen dump, and the version its
    // installation recorded, if any.
    void install(const QString& name, const QByteArray& version = {}) {
        onDisk(name + "/" + name + ".exe");
        onDisk(name + "/add/screendump.gif");
        if (!version.isEmpty()) {
            write(components + name + "/installed digests.txt",
                  "Korvo installed digests 1\nversion " + version + "\n");
        }
    }
    // A signed component at path (in a folder that exists) of the game and version (none: of
    // format 1, which names neither), 0644 as a download saves it.
    std::string component(const QString& path, const std::string& game = "Korvo's Zeltrix",
                          const std::string& version = "2.1.0") {
        write(root.path() + "/setup.sh", "#!/bin/sh\n");
        const korvo::ComponentInfo info =
            version.empty() ? korvo::undescribed()
                            : korvo::ComponentInfo{korvo::kFormatVersion, game, version, 0, 0, {}};
        korvo::writeComponent((root.path() + "/setup.sh").toStdString(), "archive", keys.secretKey,
                              path.toStdString(), info);
        std::filesystem::permissions(path.toStdString(), std::filesystem::perms(0644));
        return path.toStdString();
    }
    launcher::GameView& view() { return panel.view(); }
    launcher::MainForm& form() { return panel.view().form(); }

    QTemporaryDir root;
    QString app = root.path() + "/Korvo Control Panel";
    QString components = root.path() + "/Korvo Game Components/";
    korvo::KeyPair keys = korvo::generateKeyPair();
    fakes::FakePlayer player;
    korvo::SoundBoard sound{player};
    fakes::FakeRandom random;
    fakes::FakeWindowFinder windows;
    fakes::FakePrograms programs;
    fakes::FakeTimers timers;
    fakes::FakeMessages messages;
    fakes::FakeScreen screen;
    fakes::FakeDialogs dialogs;
    fakes::FakeUninstallEntry entry;
    launcher::Catalogue catalogue;
    launcher::Installation installation{
        {programs, messages, entry, timers}, catalogue, keys.publicKey};
    launcher::ControlPanel panel{
        {sound, random, windows, programs, timers, messages, screen, dialogs},
        catalogue,
        installation};
};

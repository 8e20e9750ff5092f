#pragma once

#include "DataPath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <string>

// A launcher folder with its add/ and, beside it, the components folder, in a temporary folder
// that goes away with the fixture. The program folder points at the launcher folder.
struct InstallFixture {
    InstallFixture() {
        app = root.path() + "/Korvo Control Panel";
        components = root.path() + "/Korvo Game Components/";
        QDir().mkpath(app + "/add");
        QDir().mkpath(components);
        korvo::setProgramDir(app.toStdString());
    }

    static void write(const QString& path, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(bytes);
        }
    }
    void gamesFile(const QByteArray& text) { write(app + "/add/games.txt", text); }
    // "Korvo's X/Korvo's X.exe" makes a file, "Korvo's X/" a folder, under the components.
    void onDisk(const QString& entry) {
        if (entry.endsWith('/')) {
            QDir().mkpath(components + entry);
        } else {
            write(components + entry, "program");
        }
    }
    // Installs a game: its folder, program file and screen dump.
    void install(const QString& name) {
        onDisk(name + "/" + name + ".exe");
        onDisk(name + "/add/screendump.gif");
    }

    QTemporaryDir root;
    QString app;
    QString components;
};

#pragma once

#include "ControlPanel.h"
#include "InstallFixture.h"
#include "LauncherFakes.h"

// The panel over fakes, in a temporary installation.
struct PanelFixture : InstallFixture {
    PanelFixture() : panel({sound, random, windows, shell, messages, screen, dialogs}, catalogue) {
        catalogue.SetComponentsDir(app.toStdString());
    }
    // A catalogue of the given names, each with the story "About <name>."
    void offer(const QStringList& names) {
        QByteArray text;
        for (const QString& name : names) {
            text += "\"" + name.toUtf8() + "\",\"About " + name.toUtf8() + ".\",\"\"\r\n";
        }
        gamesFile(text);
    }
    launcher::MainForm& form() { return panel.form(); }

    fakes::FakePlayer player;
    korvo::SoundBoard sound{player};
    fakes::FakeRandom random;
    fakes::FakeWindowFinder windows;
    fakes::FakeShell shell;
    fakes::FakeMessages messages;
    fakes::FakeScreen screen;
    fakes::FakeDialogs dialogs;
    launcher::Catalogue catalogue;
    launcher::ControlPanel panel;
};

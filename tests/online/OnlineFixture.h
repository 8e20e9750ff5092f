#pragma once

#include "OnlineFakes.h"
#include "PlatformFakes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>

#include <vector>

namespace testing {

using Strings = std::vector<std::string>;

// The modal window on top when it has this name, else nothing.
inline QDialog* modal(const char* name) {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    return dialog != nullptr && dialog->objectName() == name ? dialog : nullptr;
}

// The online windows' world: a shown main window, a components folder (not yet made), and fake
// HTTP, installer and message box.
struct OnlineFixture {
    OnlineFixture() {
        setup.downloadHost = "https://quibbrik.test/"; // the slash must not double
        frmMain.show();
    }
    // Everything in the components folder, by name.
    QStringList files() const {
        return QDir(QString::fromStdString(setup.componentsDir))
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }

    fakes::FakeDesktop desktop;
    QTemporaryDir dir;
    fakes::FakeComponentInstaller installer;
    fakes::FakeHttpClient http;
    fakes::FakeTimers timers;
    launcher::OnlineSetup setup{dir.path().toStdString() + "/Korvo Game Components/", installer,
                                http, timers};
    QWidget frmMain;
};

} // namespace testing

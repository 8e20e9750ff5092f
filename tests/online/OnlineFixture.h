#pragma once

#include "OnlineFakes.h"
#include "PlatformFakes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <utility>
#include <vector>

namespace testing {

using Strings = std::vector<std::string>;

// Drives windows that run their own event loops (exec) from a timer: each step waits until its
// condition holds, then acts. After 20 s every modal window still open is closed, so that a test
// fails instead of hanging.
class Script {
public:
    Script() {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            // A step may open a window of its own; the timer goes on ticking inside it.
            while (m_next < m_steps.size() && m_steps[m_next].first()) {
                m_steps[m_next++].second();
            }
            while (m_clock.hasExpired(20000) && QApplication::activeModalWidget() != nullptr) {
                qobject_cast<QDialog*>(QApplication::activeModalWidget())->done(QDialog::Rejected);
            }
        });
        m_clock.start();
        m_timer.start(5);
    }
    Script& then(std::function<bool()> ready, std::function<void()> act) {
        m_steps.emplace_back(std::move(ready), std::move(act));
        return *this;
    }
    bool done() const { return m_next == m_steps.size(); }

private:
    std::vector<std::pair<std::function<bool()>, std::function<void()>>> m_steps;
    std::size_t m_next = 0;
    QElapsedTimer m_clock;
    QTimer m_timer;
};

// The modal window on top when it has this name, else nothing.
inline QDialog* modal(const char* name) {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    return dialog != nullptr && dialog->objectName() == name ? dialog : nullptr;
}

// What a window says: its title, then the texts and tool tips of its controls.
inline QStringList shownTexts(const QWidget& window) {
    QStringList texts{window.windowTitle()};
    for (const QWidget* child : window.findChildren<QWidget*>()) {
        texts << child->property("text").toString() << child->toolTip();
    }
    texts.removeAll(QString());
    return texts;
}

// The online windows' world: a shown main window, a components folder (not yet made), and fake
// HTTP, installer and message box.
struct OnlineFixture {
    OnlineFixture() {
        setup.downloadHost = "quibbrik.test";
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
    launcher::OnlineSetup setup{dir.path().toStdString() + "/Korvo Game Components/", installer,
                                http};
    QWidget frmMain;
};

} // namespace testing

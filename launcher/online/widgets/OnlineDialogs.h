#pragma once

#include "LauncherServices.h"
#include "OnlineSetup.h"

class QWidget;

namespace launcher {

// The launcher's other windows, each application-modal, owned by the main window and destroyed
// when it closes. They open and return at once.
class OnlineDialogs : public Dialogs {
public:
    explicit OnlineDialogs(const OnlineSetup& online) : m_online(online) {}
    void setOwner(QWidget* owner) { m_owner = owner; }

    void ShowNewReleases() override;
    void ShowGameInfo(const GameInfo& page) override;
    void ShowAbout() override;
    bool OpenDocument(const std::string& document, int style) override;

private:
    QWidget* m_owner = nullptr;
    const OnlineSetup& m_online;
};

} // namespace launcher

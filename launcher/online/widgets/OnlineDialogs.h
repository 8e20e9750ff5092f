#pragma once

#include "OnlineSetup.h"
#include "LauncherServices.h"

class QWidget;

namespace launcher {

// The launcher's other windows, each modal, owned by the main window and destroyed when it
// closes.
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

#pragma once

#include "OnlineSetup.h"
#include "Services.h"

class QWidget;

namespace launcher {

// The launcher's other windows, each modal, owned by the main window and destroyed when it
// closes. What is not built yet says so.
class OnlineDialogs : public Dialogs {
public:
    OnlineDialogs(korvo::Messages& messages, const OnlineSetup& online)
        : m_messages(messages), m_online(online) {}
    void setOwner(QWidget* owner) { m_owner = owner; }

    void ShowNewReleases() override;
    void ShowGameInfo(const GameInfo& page) override;
    void ShowAbout() override { notAvailable(); }
    void ShowHelp() override { notAvailable(); }
    void StartRemoval() override { notAvailable(); }

private:
    void notAvailable();

    QWidget* m_owner = nullptr;
    korvo::Messages& m_messages;
    const OnlineSetup& m_online;
};

inline const std::string kNotAvailable =
    "This part of the Korvo Control Panel is not available yet.";

} // namespace launcher

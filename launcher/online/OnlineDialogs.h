#pragma once

#include "Services.h"

class QWidget;

namespace launcher {

// The launcher's other windows, each modal, owned by the main window and destroyed when it
// closes. What is not built yet says so.
class OnlineDialogs : public Dialogs {
public:
    explicit OnlineDialogs(korvo::Messages& messages) : m_messages(messages) {}
    void setOwner(QWidget* owner) { m_owner = owner; }

    void ShowNewReleases() override { notAvailable(); }
    void ShowGameInfo(const GameInfo& page) override;
    void ShowAbout() override;
    bool OpenDocument(const std::string& document, int style) override;

private:
    void notAvailable();

    QWidget* m_owner = nullptr;
    korvo::Messages& m_messages;
};

inline const std::string kNotAvailable =
    "This part of the Korvo Control Panel is not available yet.";

} // namespace launcher

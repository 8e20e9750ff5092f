#pragma once

#include "ComponentDownload.h"
#include "OnlineSetup.h"

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace launcher {

// "Add Component": downloads one component into the components folder, showing the progress,
// and hands it to the installer. The transfer starts when the window is shown; Cancel, Escape
// and closing the window stop it and leave nothing behind.
class FrmAdd : public QDialog {
public:
    FrmAdd(const OnlineSetup& setup, QWidget* owner);

    // Set both before the window is shown.
    void SetDownloadFile(const std::string& path) { m_logic.DownloadFile = path; }
    void SetDownloadURL(const std::string& address) { m_logic.DownloadURL = address; }
    void SetGame(const std::string& game) { m_logic.Game = game; }

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    void cmd_Cancel_Click();
    void refresh();

    ComponentDownload m_logic;
    bool m_loaded = false;
    bool m_done = false;
    QLabel* m_lbStatus;
    QLabel* m_lbProgress;
    QFrame* m_pbProgress;
    QWidget* m_pbBar;
    QFrame* m_picture1;
    QLabel* m_imgBeam;
    QPushButton* m_cmdCancel;
};

// Opens the download window for a component file of the server, writing it into the components
// folder: application-modal, owned by the main window, destroyed when it closes. The window
// that asks for it has closed itself first.
void OpenDownloadWindow(QWidget* mainWindow, const OnlineSetup& setup, const std::string& fileName,
                        const std::string& game);

} // namespace launcher

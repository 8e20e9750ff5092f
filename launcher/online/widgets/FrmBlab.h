#pragma once

#include "InfoPage.h"
#include "OnlineSetup.h"

#include <QDialog>
#include <QTimer>

class QFrame;
class QLabel;
class QPushButton;

namespace launcher {

// The information page of a game that is not installed: its picture, its story scrolling up
// and the offer to download it. Fill it with SetGame, then show it modally, owned by the main
// window, with WA_DeleteOnClose.
class FrmBlab : public QDialog {
public:
    FrmBlab(const OnlineSetup& setup, QWidget* owner);

    // The game's name (the caption), its picture file, and its story; lb_Install follows the
    // caption.
    void SetGame(const std::string& name, const std::string& picturePath, const std::string& story);

    const InfoPage& page() const { return m_page; }

private:
    void t_Scroll_Timer();
    void cmd_Download_Click();
    void refresh();

    const OnlineSetup& m_setup;
    InfoPage m_page;
    QFrame* m_picture1;
    QLabel* m_pbScreenDump;
    QWidget* m_pStoryBox;
    QLabel* m_lblStory;
    QLabel* m_lbInstall;
    QPushButton* m_cmdDownload;
    QPushButton* m_cmdClose;
    QTimer m_tScroll;
};

} // namespace launcher

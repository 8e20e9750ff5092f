#pragma once

#include "NewReleases.h"
#include "OnlineSetup.h"

#include <QDialog>

#include <memory>

class QLabel;
class QListWidget;
class QPushButton;

namespace launcher {

// "Add New Game": fetches the list of new releases from the download server and hands the
// chosen game to the download window. Show it modally, owned by the main window, with
// WA_DeleteOnClose; it fetches the list when it is first shown and whenever it becomes the
// active window again, unless a fetch is under way. Closing it drops the fetch.
class FrmNew : public QDialog {
public:
    FrmNew(const OnlineSetup& setup, QWidget* owner);

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void LoadTheList();
    void cmd_Download_Click();
    void refresh();

    const OnlineSetup& m_setup;
    NewGamesList m_list;
    std::unique_ptr<korvo::Fetch> m_fetch; // the list on its way
    bool m_shown = false;
    bool m_wasInactive = false;
    bool m_closed = false;
    QListWidget* m_lstGames;
    QPushButton* m_cmdDownload;
    QPushButton* m_cmdClose;
    QLabel* m_lbInstall;
};

} // namespace launcher

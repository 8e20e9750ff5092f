#include "FrmNew.h"

#include "FrmAdd.h"
#include "Look.h"
#include "Maker.h"
#include "Place.h"

#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace launcher {

namespace {
constexpr int kClientWidth = 5280;
constexpr int kClientHeight = 4200;
} // namespace

FrmNew::FrmNew(const OnlineSetup& setup, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_setup(setup),
      m_lstGames(named<QListWidget>(this, "lst_Games")),
      m_cmdDownload(named<QPushButton>(this, "cmd_Download")),
      m_cmdClose(named<QPushButton>(this, "cmd_Close")),
      m_lbInstall(named<QLabel>(this, "lb_Install")) {
    setObjectName("frm_New");
    setWindowTitle("Add New Game");
    setModal(true);
    setFixedSize(korvo::toPixels(kClientWidth), korvo::toPixels(kClientHeight));

    m_lbInstall->setText("Please select a game to add to the Control Panel, and then click 'Add'.");
    m_lbInstall->setWordWrap(true);
    place(*m_lbInstall, 180, 150, 4920, 450);

    m_lstGames->setFont(korvo::comicFont(9.75));
    m_lstGames->setSelectionMode(QAbstractItemView::SingleSelection);
    place(*m_lstGames, 180, 690, 4920, 2730);

    m_cmdDownload->setText("&Add");
    m_cmdDownload->setToolTip(
        qText("Download a new game from the " + korvo::WebsiteName + " website."));
    m_cmdDownload->setAutoDefault(false);
    place(*m_cmdDownload, 2490, 3630, 1215, 375);
    m_cmdClose->setText("&Close");
    m_cmdClose->setAutoDefault(false);
    place(*m_cmdClose, 3885, 3630, 1215, 375);

    connect(m_cmdDownload, &QPushButton::clicked, this, &FrmNew::cmd_Download_Click);
    connect(m_cmdClose, &QPushButton::clicked, this, &FrmNew::reject);

    // Form_Load
    m_list.Form_Load();
    refresh();
}

void FrmNew::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_shown) {
        // A window that never becomes active (no window manager to give it the focus) still
        // loads its list once.
        m_shown = true;
        LoadTheList();
    }
}

void FrmNew::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) {
        return;
    }
    if (!isActiveWindow()) {
        m_wasInactive = true;
    } else if (m_wasInactive) {
        m_wasInactive = false;
        LoadTheList();
    }
}

void FrmNew::LoadTheList() {
    if (m_fetch || m_closed) {
        return;
    }
    const std::string address = DownloadAddress(m_setup.downloadHost, "newreleases.txt");
    m_fetch = m_setup.http.FetchText(address, m_setup.listTimeout, [this](const auto& text) {
        m_fetch.reset();
        m_list.LoadTheList(text);
        refresh();
    });
}

void FrmNew::cmd_Download_Click() {
    if (m_fetch || m_closed) {
        return;
    }
    // The line the user chose; a current line that is not selected (the focus alone) is none.
    const QModelIndexList chosen = m_lstGames->selectionModel()->selectedIndexes();
    const int selected = chosen.isEmpty() ? -1 : chosen.front().row();
    const std::optional<std::string> file = m_list.cmd_Download_Click(selected);
    if (!file) {
        return;
    }
    QWidget* mainWindow = parentWidget();
    const std::string game = m_list.lst_Games[static_cast<std::size_t>(selected)];
    accept();
    OpenDownloadWindow(mainWindow, m_setup, *file, game);
}

void FrmNew::done(int result) {
    m_closed = true;
    m_fetch.reset();
    QDialog::done(result);
}

void FrmNew::refresh() {
    m_lstGames->clear();
    for (const std::string& line : m_list.lst_Games) {
        m_lstGames->addItem(qText(line));
    }
    m_lstGames->setCurrentRow(-1);
    m_lstGames->setEnabled(m_list.lst_Games_Enabled);
    m_cmdDownload->setEnabled(m_list.cmd_Download_Enabled);
}

} // namespace launcher

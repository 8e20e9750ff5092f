#include "OnlineDialogs.h"

#include "AboutWindow.h"
#include "Documents.h"
#include "FrmBlab.h"
#include "FrmNew.h"
#include "Modal.h"

namespace launcher {

namespace {
// Each window lives for one showing: it is made afresh with what it shows and goes when closed.
void showAndDestroy(QDialog* form) {
    form->setAttribute(Qt::WA_DeleteOnClose);
    korvo::openModal(*form);
}
} // namespace

void OnlineDialogs::ShowNewReleases() {
    showAndDestroy(new FrmNew(m_online, m_owner));
}

void OnlineDialogs::ShowGameInfo(const GameInfo& page) {
    auto* blab = new FrmBlab(m_online, m_owner);
    blab->SetGame(page.Caption, page.Picture, page.lbl_Story);
    showAndDestroy(blab);
}

void OnlineDialogs::ShowAbout() {
    showAndDestroy(new AboutWindow(m_owner));
}

bool OnlineDialogs::OpenDocument(const std::string& document, int style) {
    bool opened = false;
    korvo::OpenDocument(document, style, opened);
    return opened;
}

} // namespace launcher

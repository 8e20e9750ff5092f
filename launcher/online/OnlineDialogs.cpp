#include "OnlineDialogs.h"

#include "FrmBlab.h"
#include "FrmNew.h"
#include "Modal.h"

namespace launcher {

namespace {
// A window whose title may hold "Korvo's" must not outlive its showing: the launcher waits
// while any such window exists, hidden ones included.
template <typename Form> void showAndDestroy(Form* form) {
    form->setAttribute(Qt::WA_DeleteOnClose);
    korvo::showModal(*form);
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

void OnlineDialogs::notAvailable() {
    m_messages.Show(
        {kNotAvailable, korvo::MessageIcon::Information, korvo::MessageButtons::Ok, {}});
}

} // namespace launcher

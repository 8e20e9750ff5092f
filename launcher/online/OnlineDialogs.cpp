#include "OnlineDialogs.h"

#include "FrmBlab.h"
#include "Modal.h"

namespace launcher {

void OnlineDialogs::ShowGameInfo(const GameInfo& page) {
    FrmBlab blab(m_owner);
    blab.fill(page);
    korvo::showModal(blab);
}

void OnlineDialogs::notAvailable() {
    m_messages.Show(
        {kNotAvailable, korvo::MessageIcon::Information, korvo::MessageButtons::Ok, {}});
}

} // namespace launcher

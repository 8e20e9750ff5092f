#include "OnlineDialogs.h"

#include "Documents.h"
#include "FrmAbout.h"
#include "FrmBlab.h"
#include "Modal.h"

namespace launcher {

void OnlineDialogs::ShowGameInfo(const GameInfo& page) {
    FrmBlab blab(m_owner);
    blab.fill(page);
    korvo::showModal(blab);
}

void OnlineDialogs::ShowAbout() {
    FrmAbout about(m_owner);
    korvo::showModal(about);
}

bool OnlineDialogs::OpenDocument(const std::string& document, int style) {
    bool opened = false;
    korvo::OpenDocument(document, style, opened);
    return opened;
}

void OnlineDialogs::notAvailable() {
    m_messages.Show(
        {kNotAvailable, korvo::MessageIcon::Information, korvo::MessageButtons::Ok, {}});
}

} // namespace launcher

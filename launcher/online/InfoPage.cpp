#include "InfoPage.h"

#include "Maker.h"
#include "Messages.h"
#include "Text.h"

#include <array>
#include <utility>

namespace launcher {

namespace {

constexpr int kScrollStep = 15;

} // namespace

std::optional<std::string> ProductFile(const std::string& gameName) {
    static const std::array<std::pair<const char*, const char*>, 10> kProducts{{
        {"KORVO'S VORPA", "korvo001.cmp"},
        {"KORVO'S ZELTRIX", "korvo002.cmp"},
        {"KORVO'S DRAVOLT", "korvo003.cmp"},
        {"KORVO'S MIRVANE", "korvo004.cmp"},
        {"KORVO'S SKELMO", "korvo005.cmp"},
        {"KORVO'S QUENTOR", "korvo006.cmp"},
        {"KORVO'S TOVASH", "korvo007.cmp"},
        {"KORVO'S TOVASH PRO", "korvo008.cmp"},
        {"KORVO'S WENDRIX", "korvo009.cmp"},
        {"KORVO'S FLINDO", "korvo010.cmp"},
    }};
    const std::string name = korvo::upperCase(gameName);
    for (const auto& [product, file] : kProducts) {
        if (name == product) {
            return file;
        }
    }
    return std::nullopt;
}

InfoPage::InfoPage()
    : p_StoryBox(korvo::PlacedControl(60, 2070, 4470, 1380)),
      lbl_Story(korvo::PlacedControl(270, 1290, 3960, 0)) {
    lbl_Story.ForeColor = {255, 255, 255};
}

void InfoPage::SetGame(const std::string& name, const std::string& picture,
                       const std::string& story) {
    Caption = name;
    ScreenDump = picture;
    lb_Install = Caption + " has not been installed.";
    lbl_Story.Caption = story;
}

void InfoPage::t_Scroll_Timer() {
    if (!t_Scroll_Enabled) {
        return;
    }
    lbl_Story.Top -= kScrollStep;
    // Once the story's bottom edge has risen into the box it stays where it is.
    if (p_StoryBox.Height - lbl_Story.Height > lbl_Story.Top) {
        t_Scroll_Enabled = false;
    }
}

std::optional<std::string> InfoPage::cmd_Download_Click() const {
    std::optional<std::string> file = ProductFile(Caption);
    if (!file) {
        korvo::PlatformMessage("The Korvo Control Panel cannot download " + Caption + ": the " +
                                   korvo::WebsiteName + " website offers no such game.",
                               korvo::MessageIcon::Exclamation);
        return std::nullopt;
    }
    if (!korvo::PlatformMessage("The Korvo Control Panel will now connect to the Internet in "
                                "order to download " +
                                    Caption + ".",
                                korvo::MessageIcon::Information, korvo::MessageButtons::OkCancel)) {
        return std::nullopt;
    }
    return file;
}

} // namespace launcher

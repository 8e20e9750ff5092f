#pragma once

#include "AboutBox.h"

#include <array>
#include <string>

class QFrame;

namespace launcher {

inline const std::string kAboutCaption = "About Korvo's Control Panel";
inline const std::string kAboutTitle = "Korvo's Maths Games : Control Panel";

// The launcher's about box: title, version, the maker's copyright line and website, the terms
// of distribution and the system-information button. Shown modally, owned by the main window,
// and destroyed when it closes: its caption holds "Korvo's", and a window of that name left
// behind would keep the launcher waiting for an installer that is not there.
class AboutWindow : public korvo::AboutBox {
public:
    explicit AboutWindow(QWidget* owner = nullptr);

    // Opens the maker's website, maximised.
    void lb_Website_Click() override;

private:
    void Form_Load();

    QLabel* m_lblDescription;
    QLabel* m_lblDisclaimer;
    std::array<QFrame*, 2> m_line1{};
};

// The terms of distribution: three paragraphs joined by single line feeds.
std::string DistributionTerms();

} // namespace launcher

#pragma once

#include <QDialog>

#include <array>
#include <string>

class QFrame;
class QLabel;
class QPushButton;

namespace launcher {

inline const std::string kAboutCaption = "About Korvo's Control Panel";
inline const std::string kAboutTitle = "Korvo's Maths Games : Control Panel";

// The launcher's about box: title, version, the maker's copyright line and website, the terms
// of distribution and the system-information button. Shown modally, owned by the main window,
// and destroyed when it closes: its caption holds "Korvo's", and a window of that name left
// behind would keep the launcher waiting for an installer that is not there.
class FrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit FrmAbout(QWidget* owner = nullptr);

    void cmdOK_Click();
    void cmdSysInfo_Click();
    void lb_Website_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();

    QLabel* m_picIcon;
    QLabel* m_lblTitle;
    QLabel* m_lblVersion;
    QLabel* m_lblCopyright;
    QLabel* m_lbWebsite;
    QLabel* m_lblDescription;
    QLabel* m_lblDisclaimer;
    std::array<QFrame*, 2> m_line1{};
    QPushButton* m_cmdOK;
    QPushButton* m_cmdSysInfo;
};

// "Version " + major.minor.revision of the build.
std::string VersionLine();
// The terms of distribution: three paragraphs joined by single line feeds.
std::string DistributionTerms();

} // namespace launcher

#pragma once

#include "Maker.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace zeltrix {

// The maker's website, without a scheme.
inline const std::string WebAddress = korvo::WebAddress;

// The about box: title, version, copyright, the website and the system-information button.
// Shown modally with exec(); OK, Enter and Escape close it.
class FrmAbout : public QDialog {
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
    QPushButton* m_cmdOK;
    QPushButton* m_cmdSysInfo;
};

} // namespace zeltrix

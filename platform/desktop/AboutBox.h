#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace korvo {

// What the two programs' about boxes share: the icon, title, version and copyright labels, the
// website shown as a link, OK (the default and cancel button) and the system-information
// button, on the small dialog face. Each box places them, adds its own and decides what a click
// on the website does.
class AboutBox : public QDialog {
public:
    AboutBox(QWidget* owner, int clientWidth, int clientHeight);

    void cmdOK_Click() { accept(); }
    void cmdSysInfo_Click();
    virtual void lb_Website_Click() = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Sets a control's place and size in twips.
    static void place(QWidget* widget, int left, int top, int width, int height);
    // Shows the address in lb_Website, sized to its text and centred at top (twips).
    void showWebsite(const std::string& address, int top);
    // Opens "http://" + the website maximised; false when it could not be opened.
    bool openWebsite();

    template <typename T> T* named(const char* name) {
        auto* widget = new T(this);
        widget->setObjectName(name);
        return widget;
    }

    QLabel* m_picIcon;
    QLabel* m_lblTitle;
    QLabel* m_lblVersion;
    QLabel* m_lblCopyright;
    QLabel* m_lbWebsite;
    QPushButton* m_cmdOK;
    QPushButton* m_cmdSysInfo;
};

} // namespace korvo

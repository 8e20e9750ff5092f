#pragma once

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QLabel;
class QPushButton;

namespace korvo {

// The uninstaller's window: lists the installed games and asks before removing them (Remove /
// Cancel); with no games it says so (OK). It only shows state; onRemove does the work.
class FrmUninstall : public QDialog {
    Q_OBJECT
public:
    FrmUninstall(const std::vector<std::string>& games, const QString& componentsDir,
                 QWidget* parent = nullptr);

    void showWorking();
    void showWaiting();
    void showFailure(const QString& reason);
    // Done, with the player's files that were kept counted (OK closes the window).
    void showRemoved(int keptPlayerFiles);

    std::function<void()> onRemove;

protected:
    void reject() override; // nothing closes the window while games are being removed

private:
    void cmd_Remove_Click();
    void showEnd(const QString& text, const QString& button);

    QLabel* m_lblMessage;
    QPushButton* m_cmdRemove;
    QPushButton* m_cmdCancel;
    bool m_working = false;
};

} // namespace korvo

#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace korvo {

// The setup program's window: a status line, a progress bar and one button, Cancel while the
// installation runs and Close once it has failed. It only shows what the installation reports;
// the work runs elsewhere. Its title always holds "Korvo's", so the launcher waits for it.
class FrmSetup : public QDialog {
    Q_OBJECT
public:
    explicit FrmSetup(QWidget* parent = nullptr);

    void showGame(const QString& gameFolder); // title "<game folder> Setup"
    void showWaiting();
    void showProgress(quint64 done, quint64 total);
    void showFailure(const QString& reason);

    std::function<void()> onCancel; // asked while working

protected:
    // Escape and the title bar's close button: cancel while working, close once failed.
    void reject() override;

private:
    void cmd_Close_Click();

    QLabel* m_imgWarning;
    QLabel* m_lblStatus;
    QProgressBar* m_barProgress;
    QPushButton* m_cmdClose;
    QString m_game; // empty until the component is known
    bool m_working = true;
};

} // namespace korvo

#pragma once

#include "ControlPanel.h"

#include <QMainWindow>
#include <QTimer>

#include <array>
#include <vector>

class QLabel;

namespace launcher {

class PictureButton;

// The launcher's main window: shows the panel's controls and forwards clicks, pointer moves,
// timer ticks and menu commands to it.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(ControlPanel& panel);

    // Shows the window and builds the installed view (or the other one, with the welcome tip,
    // when no game is installed).
    void Form_Load();
    // Copies the panel's data to the widgets: buttons, labels, size, animation, visibility.
    void refresh();

    PictureButton* playButton(int i) const;
    QLabel* gameLabel(int i) const;

signals:
    // The window has closed; the program unloads its other windows.
    void unloaded();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    PictureButton* makeButton(QWidget* parent);
    QLabel* makeLabel(const char* name);
    void syncButtons();
    template <typename Handler> void run(Handler handler);

    ControlPanel& m_panel;
    QWidget* m_client;
    std::vector<PictureButton*> m_cmdPlay;
    std::vector<QLabel*> m_lbGame;
    QLabel* m_pbButtonHighlight;
    std::array<PictureButton*, 4> m_cmdOtherGames{};
    QLabel* m_lbOther;
    QTimer* m_tAnimate;
    int m_raises = 0;
    bool m_unloaded = false;
};

// The window system as the panel sees it.
class QtScreen : public Screen {
public:
    int CaptionWidth(const std::string& caption) const override;
};

} // namespace launcher

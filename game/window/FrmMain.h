#pragma once

#include "Game.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <map>

class QAction;

namespace zeltrix {

class FieldView;

// The game window: shows the field and forwards ticks, keys, clicks and menu commands to the
// game. The shell's help, about box and intro are reached through the hooks main() sets.
class FrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit FrmMain(Game& game);

    std::function<void()> onHelp;
    std::function<void()> onAbout;
    std::function<void()> onUnload; // before the hall of fame is saved

    // Copies the game's data to the window: captions, check marks, timers, a repaint.
    void refresh();
    FieldView* fieldView() const { return m_view; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void Form_Resize();
    void Form_Activate();
    template <typename Handler> void run(Handler handler);

    Game& m_game;
    FieldView* m_view;
    QTimer m_tBalls;
    QTimer m_tGun;
    QAction* m_silent = nullptr;
    QAction* m_about = nullptr;
    bool m_unloaded = false;
};

// The window system as the game logic sees it. The windows that the logic asks about are
// registered with setForm.
class QtWindows : public Windows {
public:
    void setForm(Form form, QWidget* window) { m_forms[form] = window; }
    bool IsActiveForm(Form form) const override;
    void LetEventsRun(int milliseconds) override;
    std::function<void()> beforeEvents; // lets the field repaint what changed

private:
    std::map<Form, QPointer<QWidget>> m_forms;
};

} // namespace zeltrix

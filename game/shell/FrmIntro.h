#pragma once

#include "IntroAnimation.h"
#include "MultimediaPlayer.h"
#include "SoundBoard.h"

#include <QTimer>
#include <QWidget>

#include <functional>

class QLabel;

namespace zeltrix {

// The program's first window: the story crawls up through its box while the anthem plays, the
// window fades to the background picture's corner colour, the picture rises and pushes the box
// out at the top. When the animation and the anthem are over, or at any key that types a
// character, the intro hands over to the game window and hides itself. It stays loaded for the
// whole run because it owns the player: closing it closes the player.
class FrmIntro : public QWidget {
public:
    // startMainWindow loads the game window, shows it maximised and sets its captions
    // (SetMainCaptions); the intro stops the anthem before and hides itself after it. The
    // window shows itself at once.
    FrmIntro(korvo::SoundBoard& sound, korvo::MultimediaPlayer& player,
             std::function<void()> startMainWindow);

    void GetColorAtStart();
    void FinishIntro();

    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Timer4_Timer();
    void p_Main_KeyPress();

    const IntroAnimation& animation() const { return m_animation; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Tab, too, is a key that ends the intro rather than moving the focus.
    bool focusNextPrevChild(bool) override { return false; }

private:
    void Form_Load();
    void StartMainWindow();
    // Shows the animation's state: colours, places and the timers' enabled flags.
    void sync();

    korvo::SoundBoard& m_sound;
    korvo::MultimediaPlayer& m_player;
    std::function<void()> m_startMainWindow;
    IntroAnimation m_animation;
    QImage m_picture;

    QLabel* m_pMain;
    QWidget* m_storyBox;
    QLabel* m_lblStory;
    QLabel* m_label1;
    QTimer m_timer1;
    QTimer m_timer2;
    QTimer m_timer3;
    QTimer m_timer4;
};

} // namespace zeltrix

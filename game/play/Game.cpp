#include "Game.h"

#include "DataPath.h"
#include "Palette.h"

namespace zeltrix {

Game::Game(GameServices services) : m_services(services) {}

void Game::Form_Load() {
    m_services.hallOfFame.LoadHiScores();
    m_field.pb_Screen.Picture = korvo::dataPath("background.gif");
    m_state.Frozen = true;
}

void Game::Form_Resize(bool maximised, int outerWidth, int outerHeight) {
    if (maximised) {
        m_field.pb_Screen.Top = (outerHeight - m_field.pb_Screen.Height) / 2 - 340;
        m_field.pb_Screen.Left = (outerWidth - m_field.pb_Screen.Width) / 2 - 50;
    } else {
        m_field.pb_Screen.Top = 0;
        m_field.pb_Screen.Left = 0;
    }
}

void Game::Form_Unload() {
    m_services.hallOfFame.SaveHiScores();
}

void Game::pb_Screen_Click() {
    if (m_state.ComeqCount > 0) {
        ShowNiceMessage(
            "Tip : Use the arrow keys on the keyboard to steer, and space bar to shoot.");
    } else {
        ShowNiceMessage("Tip : To play a game, click on 'Game' and then 'New Game'.");
    }
}

void Game::t_Balls_Timer() {
    if (m_inTick || !IsActiveForm(Form::Main)) {
        return;
    }
    m_inTick = true;
    MoveComeqs();
    FlashQuestion();
    m_inTick = false;
}

void Game::t_Gun_Timer() {
    if (!IsActiveForm(Form::Main)) {
        return;
    }
    m_field.ln_LazerBeam.Visible = false;
    m_field.t_GunEnabled = false;
}

void Game::m_Level_Click(int challenge) {
    m_state.ChallengeBase = (challenge - 1) * 2;
    NewGame();
}

void Game::m_HiScores_Click() {
    m_services.hallOfFame.CheckHiScore(std::nullopt);
}

void Game::m_Silent_Click() {
    m_field.m_SilentChecked = !m_field.m_SilentChecked;
    m_services.sound.Silent = m_field.m_SilentChecked;
}

void Game::FlashQuestion() {
    m_field.lab_Question.ForeColor = korvo::QBColor(m_state.FlashColour);
    m_state.FlashColour += 1;
    if (m_state.FlashColour > 15) {
        m_state.FlashColour = 10;
    }
}

} // namespace zeltrix

#pragma once

#include "Field.h"
#include "GameState.h"
#include "Random.h"
#include "Services.h"
#include "SoundBoard.h"
#include "SpritePlayer.h"

#include <string>

namespace zeltrix {

struct GameServices {
    MessageBox& messages;
    HallOfFame& hallOfFame;
    korvo::SoundBoard& sound;
    korvo::SpritePlayer& sprite;
    korvo::Random& random;
    Windows& windows;
};

// Key codes the keyboard handlers understand.
constexpr int kKeySpace = 32;
constexpr int kKeyLeft = 37;
constexpr int kKeyRight = 39;

// The game: its state, the field it draws on, and every handler of the game window. It works
// on plain data; the window shows the field and forwards ticks, keys and menu commands here.
class Game {
public:
    explicit Game(GameServices services);

    GameState& state() { return m_state; }
    const GameState& state() const { return m_state; }
    Field& field() { return m_field; }
    const Field& field() const { return m_field; }

    // Window events.
    void Form_Load();
    void Form_Resize(bool maximised, int outerWidth, int outerHeight);
    void Form_Unload();
    void pb_Screen_Click();
    void pb_Robot_KeyDown(int keyCode);
    void pb_Robot_KeyUp(int keyCode);
    void t_Balls_Timer();
    void t_Gun_Timer();

    // Menu commands.
    void m_Level_Click(int challenge); // 1..3
    void m_HiScores_Click();
    void m_Silent_Click();

    // Game flow.
    void NewGame();
    void StartLevel();
    void SquashRobot(int i);
    void GameOver();

    // Questions.
    bool LoadQuestions();
    void PickQuestion(int i);
    bool AnswerOnScreen(const std::string& answer) const;
    static std::string FormatPowers(std::string s);
    void NextQuestion();
    void FlashQuestion();

    // Comeqs, robot and laser.
    void SetUpComeq(int i);
    void MoveComeqs();
    void CheckRobotHit(int i);
    void FireLaser();
    void CheckLaserHit(int i);

    void PlaySound(const std::string& name, bool force) { m_services.sound.PlaySound(name, force); }
    bool IsActiveForm(Form form) const { return m_services.windows.IsActiveForm(form); }

private:
    void LevelCleared();
    void ShowNiceMessage(const std::string& text) { m_services.messages.ShowNiceMessage(text); }
    bool drawQualifies(int k, bool acceptUsed) const;
    int drawableRecord(double r) const;
    int fittingRecord() const;

    GameServices m_services;
    GameState m_state;
    Field m_field;
    // A tick that arrives while another is still running (the squash animation lets events
    // run) must not move the field a second time.
    bool m_inTick = false;
    // Counts games, so that a squash interrupted by a new game chosen meanwhile ends quietly.
    int m_gameNumber = 0;
};

} // namespace zeltrix

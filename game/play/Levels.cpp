#include "DataPath.h"
#include "Game.h"

namespace zeltrix {

namespace {
// The laughing Comeq's 50 steps take about a second, so that the player sees it laugh.
constexpr int kSquashStepMs = 20;
} // namespace

void Game::NewGame() {
    // Read the questions first: a file that cannot serve a game leaves the field as it was.
    if (!LoadQuestions()) {
        return;
    }
    m_gameNumber += 1;
    m_state.ComeqCount = 5;
    m_state.Lives = 3;
    m_state.Score = 0;
    m_field.lab_Score.Caption = "0";
    m_state.HiScore = m_services.hallOfFame.Score(0);
    m_field.lab_HiScore.Caption = std::to_string(m_state.HiScore);
    m_field.sh_Ground.Top = kGround;
    m_field.sh_Ground.Height = 625;
    m_services.random.Randomize();
    if (!m_state.LabelsLoaded) {
        for (int i = 2; i <= 5; ++i) {
            m_field.sh_Ball[i] = m_field.sh_Ball[1];
            m_field.sh_Ball[i].Visible = false;
        }
        m_state.LabelsLoaded = true;
    }
    m_field.questionBehind = true;
    m_state.Stage = 1;
    m_state.Wave = 1;
    StartLevel();
}

void Game::StartLevel() {
    for (std::size_t i = 0; i < m_field.p_Life.size(); ++i) {
        m_field.p_Life[i].Visible = static_cast<int>(i) < m_state.Lives;
    }
    m_state.ComeqsLeft = m_state.ComeqCount;
    m_state.Frozen = false;
    m_state.CurrentQuestion = 0;
    m_state.Gravity = 3;
    m_state.RobotState = RobotMotion::None;

    Control& robot = m_field.pb_Robot;
    robot.Picture = korvo::dataPath("robot stand right.gif");
    robot.Top = kGround - robot.Height;
    auto& sprite = m_services.sprite;
    sprite.SetTarget(&robot);
    sprite.SetBasePath(korvo::programDir());
    sprite.SetTop(kGround - robot.Height);
    sprite.SetLeftLimit(kLeftWall);
    sprite.SetRightLimit(kRightWall);

    for (int i = 1; i <= m_state.ComeqCount; ++i) {
        SetUpComeq(i);
    }
    m_field.lab_Question.Visible = false;
    const int level = (m_state.Stage - 1) * 3 + m_state.Wave;
    ShowNiceMessage("Level  " + std::to_string(level) + "\nReady or Not!");
    m_state.Bonus = 1000;
    NextQuestion();
}

void Game::LevelCleared() {
    m_state.Wave += 1;
    if (m_state.Wave == 4) {
        m_state.Wave = 1;
        m_state.Stage += 1;
    }
    if (m_state.Stage < 4) {
        StartLevel();
    } else {
        ShowNiceMessage("Mission Accomplished!\nCongratulations.");
        GameOver();
    }
}

void Game::SquashRobot(int i) {
    const int game = m_gameNumber;
    m_state.Frozen = true;
    PlaySound("crash.wav", true);
    m_field.lab_Question.Visible = false;
    if (m_services.sprite.IsPlaying()) {
        m_services.sprite.Stop();
    }
    m_field.pb_Robot.Picture = korvo::dataPath("robot squashed.gif");

    // The laughing Comeq stretches about its centre and shrinks back. A new game chosen while
    // events run ends this squash: the lost life belonged to the old game.
    Control& ball = m_field.sh_Ball[i];
    for (int step = 0; step < 50; ++step) {
        const int direction = step < 25 ? 1 : -1;
        ball.Left -= 50 * direction;
        ball.Width += 100 * direction;
        m_services.windows.LetEventsRun(kSquashStepMs);
        if (game != m_gameNumber) {
            return;
        }
    }
    ball.Visible = false;
    ShowNiceMessage("Hahaha...\nScore one for the Comeqs!");
    if (game != m_gameNumber) {
        return;
    }

    m_state.Lives -= 1;
    if (m_state.Lives < 0) {
        GameOver();
    } else {
        StartLevel();
    }
}

void Game::GameOver() {
    for (int i = 1; i <= m_state.ComeqCount; ++i) {
        m_field.sh_Ball[i].Visible = false;
    }
    m_field.lab_Question.Visible = false;
    ShowNiceMessage("Game Over");
    if (m_services.hallOfFame.Score(2) < m_state.Score) {
        m_services.hallOfFame.CheckHiScore(m_state.Score);
    }
}

} // namespace zeltrix

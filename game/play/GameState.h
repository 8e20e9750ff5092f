#pragma once

#include <array>
#include <string>
#include <vector>

namespace zeltrix {

struct ComeqState {
    bool Rising = false;
    int ApexTop = 0;
    int Dx = 0;
    std::string Question;
    std::string Answer;
};

// How the robot moves and faces: standing (firing to the right), running left or right, standing
// facing left or right.
enum class RobotMotion { None, Left, Right, NoneLeft, NoneRight };

struct QuestionRecord {
    std::string Equation;
    std::string Answer;
    int Spare = 0;
    bool Used = false;
};

// The game's module-level variables, one instance for the whole run.
struct GameState {
    int ComeqCount = 0;
    std::array<ComeqState, 5> Comeqs;
    std::vector<QuestionRecord> Questions; // index 0 unused: records count from 1
    int QuestionCount = 0;
    int BlockSize = 0;
    RobotMotion RobotState = RobotMotion::None;
    bool Frozen = true;
    int CurrentQuestion = 0;
    int ChallengeBase = 0;
    int Stage = 1;
    int Wave = 1;
    int ComeqsLeft = 0;
    int Lives = 0;
    int Gravity = 3;
    int Bonus = 1000;
    long long Score = 0;   // lab_Score shows it
    long long HiScore = 0; // lab_HiScore shows it
    bool LabelsLoaded = false;
    int FlashColour = 0;
};

// Fixed geometry of the playing field, in twips.
constexpr int kGround = 6200;
constexpr int kLeftWall = 0;
constexpr int kRightWall = 9510;

} // namespace zeltrix

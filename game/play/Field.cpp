#include "Field.h"

#include "DataPath.h"

namespace zeltrix {

namespace {
constexpr korvo::Rgb kYellow{255, 255, 0};

Control scoreLabel(int left, int width, std::string caption) {
    Control c;
    c.Left = left;
    c.Top = 6375;
    c.Width = width;
    c.Height = 330;
    c.Caption = std::move(caption);
    c.ForeColor = kYellow;
    return c;
}
} // namespace

Field::Field() {
    pb_Screen = {0, 0, 9525, 6885, true, {}, {}, {}, korvo::dataPath("background.gif")};
    pb_Robot = {15, 5295, 600, 900, true, {}, {}, {}, korvo::dataPath("robot stand right.gif")};
    for (auto& ball : sh_Ball) {
        ball = {2070, 465, 450, 450, false, "8", {0, 0, 0}, {0, 0, 255}, {}};
    }
    lab_Question = {1260, 855, 7365, 1020, false, "x + 1 = 4", {0, 0, 0}, {}, {}};
    sh_Ground = {-15, 6225, 9525, 615, true, {}, {}, {64, 48, 40}, {}};
    constexpr std::array<int, 4> lifeLefts{8850, 8295, 7755, 7200};
    for (std::size_t i = 0; i < p_Life.size(); ++i) {
        p_Life[i] = {lifeLefts[i], 6270, 645, 510, true, {}, {}, {}, korvo::dataPath("life.gif")};
    }
    Label1[0] = scoreLabel(105, 750, "Score :");
    Label1[1] = scoreLabel(2820, 1050, "Hi Score :");
    lab_Score = scoreLabel(840, 1605, "0");
    lab_HiScore = scoreLabel(3870, 1605, "0");
}

} // namespace zeltrix

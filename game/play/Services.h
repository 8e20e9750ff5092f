#pragma once

#include <optional>
#include <string>

namespace zeltrix {

// The game's own modal message box; returns when the player has closed it.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual void ShowNiceMessage(const std::string& text) = 0;
};

// The hall of fame as the game flow sees it: the table's scores and the dialog that offers a
// new entry (no score only shows the table).
class HallOfFame {
public:
    virtual ~HallOfFame() = default;
    virtual void LoadHiScores() = 0;
    virtual void SaveHiScores() = 0;
    virtual long long Score(int index) const = 0;
    virtual void CheckHiScore(std::optional<long long> score) = 0;
};

// The game's windows, as the logic names them.
enum class Form { Main, Intro, NiceBox, HiScores, About };

// What the logic asks of the window system.
class Windows {
public:
    virtual ~Windows() = default;
    // True when the application's active window is this form.
    virtual bool IsActiveForm(Form form) const = 0;
    // Lets window events (timers, painting, input) run for this long, without a busy wait.
    virtual void LetEventsRun(int milliseconds) = 0;
};

} // namespace zeltrix

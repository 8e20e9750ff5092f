#pragma once

#include "Catalogue.h"
#include "Control.h"
#include "Installation.h"
#include "Maker.h"
#include "MultimediaPlayer.h"
#include "SoundBoard.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace launcher {

using korvo::Control;

// The client area of the logo window, in twips.
inline constexpr int kLogoWidth = 5430;
inline constexpr int kLogoHeight = 1545;
// How far the coin rolls on each tick.
inline constexpr int kCoinStep = 250;
// The tick that hands over to the main window.
inline constexpr int kLastTick = 60;
inline const std::string kIntroTune = "intro1.mid";

// A picture painted onto the window's persistent background at a place, in its own size.
struct Stamp {
    std::string Picture;
    int Left = 0;
    int Top = 0;
    friend bool operator==(const Stamp&, const Stamp&) = default;
};

// The controls of the logo window as plain data, in twips; the window shows them.
struct LogoForm {
    LogoForm();

    bool Visible = false;
    std::string Picture; // the logo, painted at the top left
    // Images 0 to 5 are the frames of the rolling coin, image 6 its resting picture.
    std::array<Control, 7> pb_Coin;
    // "Korvo's Maths Games", "by", and the maker's name as it is spelt out.
    std::array<Control, 3> lbl_Product;
    std::array<double, 3> FontSize{8, 8, 9.75}; // points, bold Arial
    bool lbl_Product2InFront = false;
    std::vector<Stamp> Background;

    bool t_CoinEnabled = false;
    int t_CoinInterval = 100;
};

struct LogoServices {
    korvo::MultimediaPlayer& player; // MMControl1, the launcher's one player
    korvo::SoundBoard& sound;        // plays through it
    Installation& installation;
    Catalogue& catalogue;
};

// The start-up logo: runs the shipped installer at a first start and waits for its process to
// end (or for another launcher's first-start installation, through its lock), then rolls
// the coin, grows the product's name and spells out the maker's with the start-up tune, and
// hands over to the main window. Works on plain data; the window shows LogoForm and forwards
// its timers here.
class Logo {
public:
    explicit Logo(LogoServices services, const std::string& maker = korvo::MakerName);

    LogoForm& form() { return m_form; }
    const LogoForm& form() const { return m_form; }

    // Shows the main window; called at the last tick, once the logo is hidden.
    std::function<void()> showMain;
    // Called when the logo changes without an event of its window: the installation has ended.
    std::function<void()> changed;

    void Form_Load();
    void DoIntro();
    void t_Coin_Timer();
    // Stops the music and releases the sound device.
    void Form_Unload();

private:
    LogoServices m_services;
    LogoForm m_form;
    std::vector<std::string> m_frames;
    int m_frame = 0;
    int m_tick = 0;
};

// The captions that spell out a maker's name "Head+tail Word", one a tick: the tail of the first
// word letter by letter, then a blank and its first three letters (the head), then four blanks
// and the first four letters of the second word; then the head's letters hop one at a time to
// the front while the second word grows to its end, and last the whole name.
std::vector<std::string> MakeCaptionFrames(const std::string& maker);

} // namespace launcher

#include "Logo.h"

#include "DataPath.h"

#include <algorithm>

namespace launcher {

namespace {

constexpr korvo::Rgb kWhite{255, 255, 255};
constexpr korvo::Rgb kDarkGrey{64, 64, 64};

// The window's controls are hidden until the window's code shows them.
Control control(int left, int top, int width, int height, std::string caption = {}) {
    return korvo::PlacedControl(left, top, width, height, false, std::move(caption));
}

} // namespace

LogoForm::LogoForm() : Picture(korvo::dataPath("logo.gif")) {
    for (std::size_t i = 0; i < pb_Coin.size(); ++i) {
        // Outside the window's left edge; the coin rolls in from there.
        pb_Coin[i] = control(-3570, 915, 3600, 585);
        pb_Coin[i].Picture =
            korvo::dataPath(i < 6 ? "coin " + std::to_string(i) + ".gif" : "coin rest.gif");
    }
    lbl_Product[0] = control(1455, 180, 2655, 375, "Korvo's Maths Games");
    lbl_Product[0].ForeColor = kWhite;
    lbl_Product[1] = control(2250, 510, 1065, 270, "by");
    lbl_Product[1].ForeColor = kWhite;
    lbl_Product[2] = control(1725, 1080, 3150, 270);
    lbl_Product[2].ForeColor = kDarkGrey;
}

Logo::Logo(LogoServices services, const std::string& maker)
    : m_services(services), m_frames(MakeCaptionFrames(maker)) {}

void Logo::Form_Load() {
    m_form.Visible = false;
    m_services.catalogue.SetComponentsDir(korvo::programDir());
    // The logo stays hidden while the installation runs.
    m_services.installation.StartUpInstall([this] {
        DoIntro();
        if (changed) {
            changed();
        }
    });
}

void Logo::DoIntro() {
    m_form.FontSize[0] = 1;
    m_form.FontSize[1] = 1;
    m_form.Visible = true;
    for (std::size_t i = 1; i <= 5; ++i) {
        m_form.pb_Coin[i].Top = m_form.pb_Coin[0].Top;
        m_form.pb_Coin[i].Left = m_form.pb_Coin[0].Left;
        m_form.pb_Coin[i].Visible = false;
    }
    m_services.sound.PlaySound(kIntroTune, true);
    m_form.t_CoinEnabled = true;
}

void Logo::t_Coin_Timer() {
    const int tick = m_tick;
    const int x = m_form.pb_Coin[m_frame].Left;
    const int y = m_form.pb_Coin[m_frame].Top;
    if (tick >= 17 && tick <= 22) {
        m_form.FontSize[1] = tick - 14;
    }
    if (tick <= 17) {
        if (tick == 11) {
            m_form.lbl_Product[0].Visible = true;
        }
        if (tick >= 12) {
            m_form.FontSize[0] = tick - 9;
        }
        if (tick == 16) {
            m_form.lbl_Product[1].Visible = true;
        }
        m_form.pb_Coin[m_frame].Visible = false;
        m_frame = (m_frame + 1) % 6;
        Control& coin = m_form.pb_Coin[m_frame];
        coin.Left = x + kCoinStep;
        coin.Top = y;
        coin.Visible = true;
    }
    if (tick == 18) {
        // The coin comes to rest: its resting picture stays drawn on the background.
        m_form.pb_Coin[m_frame].Visible = false;
        m_form.Background.push_back({m_form.pb_Coin[6].Picture, x, y});
    }
    if (tick == 23) {
        m_form.t_CoinInterval = 50;
        m_form.lbl_Product[2].Visible = true;
        m_form.lbl_Product2InFront = true;
        m_form.lbl_Product[2].Caption = m_frames.front();
    }
    if (tick >= 24 && tick <= 39) {
        m_form.lbl_Product[2].Caption = m_frames[static_cast<std::size_t>(tick - 23)];
    }
    if (tick == kLastTick) {
        m_form.t_CoinEnabled = false;
        m_form.Visible = false;
        if (showMain) {
            showMain();
        }
        return;
    }
    ++m_tick;
}

void Logo::Form_Unload() {
    try {
        m_services.player.perform(korvo::PlayerCommand::Close);
    } catch (const korvo::MultimediaPlayer::PlayerError&) {
        // Nothing plays that could be stopped.
    }
}

std::vector<std::string> MakeCaptionFrames(const std::string& maker) {
    const std::size_t blank = maker.find(' ');
    const std::string first = maker.substr(0, blank);
    const std::string second = blank == std::string::npos ? std::string() : maker.substr(blank + 1);
    const std::string head = first.substr(0, std::min<std::size_t>(3, first.size()));
    const std::string tail = first.substr(head.size());
    const std::string gap = "    ";

    std::vector<std::string> frames;
    for (std::size_t n = 1; n <= tail.size(); ++n) {
        frames.push_back(tail.substr(0, n));
    }
    for (std::size_t n = 1; n <= head.size(); ++n) {
        frames.push_back(tail + " " + head.substr(0, n));
    }
    const std::string spelt = tail + " " + head + gap;
    const std::size_t typed = std::min<std::size_t>(4, second.size());
    for (std::size_t n = 1; n <= typed; ++n) {
        frames.push_back(spelt + second.substr(0, n));
    }
    for (std::size_t k = 1; k <= head.size(); ++k) {
        // The first hop adds one letter to the second word, the others two each; the last hop
        // takes the blank along, so the head stands apart from the tail until the end.
        const std::size_t grown = std::min(second.size(), typed + 2 * k - 1);
        std::string frame = head.substr(0, k);
        if (k < head.size()) {
            frame += tail;
            frame += ' ';
            frame += head.substr(k);
        } else {
            frame += ' ';
            frame += tail;
        }
        frame += gap;
        frame += second.substr(0, grown);
        frames.push_back(std::move(frame));
    }
    frames.push_back(first + " " + second);
    return frames;
}

} // namespace launcher

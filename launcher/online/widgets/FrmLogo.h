#pragma once

#include "Logo.h"

#include <QPixmap>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QLabel;
class QTimer;

namespace launcher {

// The start-up logo: a white window without a caption, centred on the screen. It owns the
// launcher's sound player (MMControl1), which plays every sound of the run, so it stays loaded,
// hidden, until the main window unloads it.
class FrmLogo : public QWidget {
    Q_OBJECT
public:
    FrmLogo(std::unique_ptr<korvo::MultimediaPlayer> player, Installation& installation,
            Catalogue& catalogue);
    ~FrmLogo() override;

    Logo& logic() { return m_logo; }
    korvo::SoundBoard& sound() { return m_sound; }

    void Form_Load();
    // Copies the logic's data to the widgets: pictures, labels, timers, visibility.
    void refresh();
    // Stops the music, releases the sound device and closes the window.
    void unload();

    // Shows the main window when the animation is over.
    std::function<void()> onShowMain;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    template <typename Handler> void run(Handler handler);
    const QPixmap& picture(const std::string& path);

    std::unique_ptr<korvo::MultimediaPlayer> m_MMControl1;
    korvo::SoundBoard m_sound;
    Logo m_logo;
    std::array<QLabel*, 7> m_pbCoin{};
    std::array<QLabel*, 3> m_lblProduct{};
    QTimer* m_tCoin;
    std::vector<std::pair<std::string, QPixmap>> m_pictures;
    bool m_unloaded = false;
};

} // namespace launcher

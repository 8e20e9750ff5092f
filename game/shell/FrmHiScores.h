#pragma once

#include "Control.h"
#include "HiScores.h"
#include "SoundBoard.h"
#include "SpritePlayer.h"

#include <QDialog>
#include <QTimer>

#include <array>

class QLineEdit;
class QPushButton;

namespace zeltrix {

class ControlView;

// The hall-of-fame window: shows the table, lets the player type the name of a new entry, plays
// the anthem and the robot marking time while open. OK writes the names back into the table.
class FrmHiScores : public QDialog {
    Q_OBJECT
public:
    FrmHiScores(HiScores& table, korvo::SoundBoard& sound, korvo::SpritePlayer& sprite);
    ~FrmHiScores() override;

    // Fills the cells from the table; the row of a new entry (-1 for none) takes the name and
    // the focus, otherwise OK has it.
    void showTable(int newRow);

    // The window has no way out but OK: Escape and closing it do what OK does, so the music
    // never outlives it.
    void reject() override;

private:
    void Form_Load();
    void cmd_OK_Click();

    HiScores& m_table;
    korvo::SoundBoard& m_sound;
    korvo::SpritePlayer& m_sprite;
    korvo::Control m_robot; // pb_RobotHiScores as the sprite player moves and pictures it
    ControlView* m_robotView;
    std::array<QLineEdit*, 3> m_names{};
    std::array<QLineEdit*, 3> m_scores{};
    QPushButton* m_ok;
    QTimer m_repaint;
};

} // namespace zeltrix

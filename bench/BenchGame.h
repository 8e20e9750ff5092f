#pragma once

#include "DataPath.h"
#include "Fakes.h"
#include "Game.h"
#include "SoundBoard.h"

#include <memory>

// A game of Challenge 1 on the staged program's data, wired to the test doubles, with its five
// Comeqs in flight. keepPlaying() puts the robot beyond the right wall and the beam past it, so
// that no Comeq ever reaches either and the level runs for ever.
struct BenchGame {
    BenchGame() {
        // The field names its pictures when it is made: the data folder comes first.
        korvo::setProgramDir(ZELTRIX_DIR);
        game = std::make_unique<zeltrix::Game>(
            zeltrix::GameServices{messages, hallOfFame, sound, sprite, random, windows});
        game->Form_Load();
    }

    void start() { game->m_Level_Click(1); }

    void keepPlaying() {
        zeltrix::Field& field = game->field();
        field.pb_Robot.Left = 2 * zeltrix::kRightWall;
        field.ln_LazerBeam = {zeltrix::kRightWall + 100, 5600, zeltrix::kRightWall + 2100, 5600,
                              true};
    }

    fakes::FakePlayer player;
    korvo::SoundBoard sound{player};
    fakes::FakeSprite sprite;
    // Spread out, so that the Comeqs start apart and move in different directions.
    fakes::FakeRandom random{{0.12, 0.83, 0.47, 0.29, 0.66, 0.91, 0.05, 0.58, 0.37, 0.74, 0.21}};
    fakes::FakeMessageBox messages;
    fakes::FakeHallOfFame hallOfFame;
    fakes::FakeWindows windows;
    std::unique_ptr<zeltrix::Game> game;
};

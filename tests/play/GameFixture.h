#pragma once

#include "DataPath.h"
#include "Fakes.h"
#include "Game.h"
#include "Palette.h"

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <memory>

// A game wired to fakes, in a program folder of its own whose question file has seven blocks
// of ten: record j (0..9) of block b has the equation "E<b>.<j>" and the answer 100 b + j + 1,
// so an answer tells which block it came from.
struct GameFixture {
    // The draws spread out, so that the five Comeqs of a level start apart and move apart.
    static std::vector<double> spread() {
        return {0.05, 0.25, 0.45, 0.65, 0.85, 0.15, 0.35, 0.55, 0.75, 0.95};
    }

    explicit GameFixture(std::vector<double> randoms = spread()) : random(std::move(randoms)) {
        korvo::setProgramDir(dir.path().toStdString());
        std::filesystem::create_directories(dir.path().toStdString() + "/add");
        std::string text = "1,\"Test questions\",10,\"header\"\r\n";
        for (int b = 0; b < 7; ++b) {
            for (int j = 0; j < 10; ++j) {
                text += "\"E" + std::to_string(b) + "." + std::to_string(j) + "\"," +
                        std::to_string(100 * b + j + 1) + ",0\r\n";
            }
        }
        writeQuestions(text + "\"last\",9999,0\r\n");
        game->Form_Load();
    }

    void writeQuestions(const std::string& text) const {
        std::ofstream(korvo::dataPath("questions.txt"), std::ios::binary) << text;
    }

    // Starts a challenge and answers every message box at once.
    void startChallenge(int challenge) { game->m_Level_Click(challenge); }

    zeltrix::Field& field() { return game->field(); }
    zeltrix::GameState& state() { return game->state(); }

    // Puts the beam across Comeq i and checks it for a hit.
    void shoot(int i) {
        const auto& ball = field().sh_Ball[i];
        field().ln_LazerBeam = {ball.Left - 10, ball.Top + 5, ball.Left + 20,
                                ball.Top + 5,   true,         {}};
        game->CheckLaserHit(i);
    }

    // The Comeq that answers the question asked now.
    int rightComeq() const { return game->state().CurrentQuestion; }

    QTemporaryDir dir;
    fakes::FakePlayer player;
    korvo::SoundBoard sound{player};
    fakes::FakeSprite sprite;
    fakes::FakeRandom random;
    fakes::FakeMessageBox messages;
    fakes::FakeHallOfFame hallOfFame;
    fakes::FakeWindows windows;
    std::unique_ptr<zeltrix::Game> game = std::make_unique<zeltrix::Game>(
        zeltrix::GameServices{messages, hallOfFame, sound, sprite, random, windows});
};

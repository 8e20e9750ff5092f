// The hall-of-fame window as the game opens it: taking the name of a new entry, only showing
// the table from the menu, and the anthem and the marching robot while it is open.
#include <QtTest>

#include "DataPath.h"
#include "Fakes.h"
#include "HiScoreBoard.h"
#include "Text.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <functional>

namespace {

// Runs the action once the hall-of-fame window is up inside exec().
void whenShown(const std::function<void(QDialog&)>& action) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, action] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog != nullptr && dialog->isVisible() && dialog->objectName() == "frm_HiScores") {
            poll->stop();
            poll->deleteLater();
            action(*dialog);
        }
    });
    poll->start(10);
}

struct Observed {
    QStringList enabledNames;
    QString focus;
    bool scoreCellTakesFocus = false;
    bool spritePlaying = false;
    std::string music;
    bool closedByEnter = false;
};

// What the window shows; taken while it is open, checked after it has closed so that a
// failing check never leaves a modal window behind.
Observed observe(QDialog& dialog, const fakes::FakePlayer& player,
                 const fakes::FakeSprite& sprite) {
    Observed seen;
    for (int i = 0; i < 3; ++i) {
        auto* name = dialog.findChild<QLineEdit*>(QString("t_Name%1").arg(i));
        auto* score = dialog.findChild<QLineEdit*>(QString("t_Score%1").arg(i));
        if (name->isEnabled()) {
            seen.enabledNames << name->objectName();
        }
        seen.scoreCellTakesFocus =
            seen.scoreCellTakesFocus || score->isEnabled() || score->focusPolicy() != Qt::NoFocus;
    }
    if (QWidget* focus = dialog.focusWidget()) {
        seen.focus = focus->objectName();
    }
    seen.spritePlaying = sprite.playing && sprite.target != nullptr;
    seen.music = player.playerMode == korvo::PlayerMode::Playing ? player.fileName : "";
    return seen;
}

// A game's hall of fame over a data folder of its own holding three entries.
struct Game {
    Game() {
        korvo::setProgramDir(dir.path().toStdString());
        std::filesystem::create_directories(korvo::dataPath(""));
        std::ofstream(korvo::dataPath("hiscores.txt"), std::ios::binary)
            << "\"Zara\",\"12500\"\r\n\"Tom\",\"8200\"\r\n\"Rita\",\"4150\"\r\n";
        board.LoadHiScores();
    }
    QTemporaryDir dir;
    fakes::FakePlayer player;
    fakes::FakeSprite sprite;
    korvo::SoundBoard sound{player};
    zeltrix::HiScoreBoard board{sound, sprite};
};

} // namespace

class FrmHiScoresTest : public QObject {
    Q_OBJECT

private slots:
    void newEntry_takesTheTypedNameOnEnter();
    void fromMenu_onlyShowsTheTable();
};

void FrmHiScoresTest::newEntry_takesTheTypedNameOnEnter() {
    Game game;
    Observed seen;
    whenShown([&](QDialog& dialog) {
        seen = observe(dialog, game.player, game.sprite);
        QWidget* typing = dialog.focusWidget() != nullptr ? dialog.focusWidget() : &dialog;
        QTest::keyClicks(typing, "Al \"Ace\", Jr");
        QTest::keyClick(typing, Qt::Key_Return);
        seen.closedByEnter = !dialog.isVisible();
        if (dialog.isVisible()) {
            dialog.reject(); // never leave the test hanging
        }
    });
    game.board.CheckHiScore(9000);

    QCOMPARE(seen.enabledNames, QStringList{"t_Name1"});
    QCOMPARE(seen.focus, QString("t_Name1"));
    QVERIFY(!seen.scoreCellTakesFocus);
    QVERIFY(seen.spritePlaying);
    QCOMPARE(game.sprite.fileName, korvo::dataPath("mark time.spr"));
    QCOMPARE(seen.music, korvo::dataPath("anthem1.mid"));
    QVERIFY(seen.closedByEnter);

    QCOMPARE(game.board.Score(1), 9000);
    QCOMPARE(game.board.table()[1].Name, std::string("Al 'Ace', Jr"));
    QCOMPARE(game.board.Score(2), 8200);
    QCOMPARE(game.player.fileName, korvo::dataPath("")); // the anthem was cut off
    QCOMPARE(game.sprite.plays, 1);
    QVERIFY(!game.sprite.playing);

    game.board.SaveHiScores();
    QCOMPARE(korvo::readFileBytes(korvo::dataPath("hiscores.txt")),
             std::string("\"Zara\",\"12500\"\r\n\"Al 'Ace', Jr\",\"9000\"\r\n"
                         "\"Tom\",\"8200\"\r\n"));
}

void FrmHiScoresTest::fromMenu_onlyShowsTheTable() {
    Game game;
    const zeltrix::HiScores before = game.board.table();
    Observed seen;
    whenShown([&](QDialog& dialog) {
        seen = observe(dialog, game.player, game.sprite);
        QTest::keyClick(&dialog, Qt::Key_Return);
        seen.closedByEnter = !dialog.isVisible();
        if (dialog.isVisible()) {
            dialog.reject();
        }
    });
    game.board.CheckHiScore(std::nullopt);

    QVERIFY(seen.enabledNames.isEmpty());
    QCOMPARE(seen.focus, QString("cmd_OK"));
    QVERIFY(seen.spritePlaying);
    QCOMPARE(seen.music, korvo::dataPath("anthem1.mid"));
    QVERIFY(seen.closedByEnter);
    QVERIFY(game.board.table() == before);
    QCOMPARE(game.player.fileName, korvo::dataPath(""));
    QVERIFY(!game.sprite.playing);
}

QTEST_MAIN(FrmHiScoresTest)
#include "FrmHiScoresTest.moc"

#include "NiceBox.h"
#include "DataPath.h"
#include "Fakes.h"
#include "Twips.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using korvo::toPixels;

class NiceBoxTest : public QObject {
    Q_OBJECT
private slots:
    void layoutGrowsWithTheLinesOfTheMessage();
    void opensWithABeepUnlessSilentAndHandsTheFocusBack();
};

void NiceBoxTest::layoutGrowsWithTheLinesOfTheMessage() {
    fakes::FakePlayer player;
    korvo::SoundBoard sound(player);
    zeltrix::FrmNiceBox box(sound);
    const auto label = [&] { return box.findChild<QLabel*>("lab_Message"); };
    const auto button = [&] { return box.findChild<QPushButton*>("cmd_OK"); };

    box.setMessage("Game Over");
    QCOMPARE(box.labelHeightFor("Game Over"), 270);
    QCOMPARE(zeltrix::niceBoxLayout(225, 270).outerHeight, 1670);
    QCOMPARE(zeltrix::niceBoxLayout(225, 270).buttonTop, 695);
    QCOMPARE(label()->height(), toPixels(270));
    QCOMPARE(button()->y(), toPixels(695));
    const int oneLine = box.height();

    box.setMessage("Hahaha...\n\nScore one for the Comeqs!"); // an empty line between
    QCOMPARE(box.labelHeightFor(label()->text()), 3 * 270);
    QCOMPARE(button()->y(), toPixels(225 + 3 * 270 + 200));
    QCOMPARE(box.height(), oneLine + toPixels(2 * 270));

    const QString longText = "A long message without any line feed wraps at the width of the "
                             "label and the window grows to hold every line of it.";
    box.setMessage(longText);
    const int lines = box.labelHeightFor(longText) / 270;
    QVERIFY(lines >= 3);
    QCOMPARE(label()->width(), toPixels(3285));
    QCOMPARE(button()->y(), toPixels(225 + lines * 270 + 200));
}

void NiceBoxTest::opensWithABeepUnlessSilentAndHandsTheFocusBack() {
    fakes::FakePlayer player;
    korvo::SoundBoard sound(player);
    zeltrix::NiceBox messages(sound);

    QWidget game;
    game.setObjectName("frm_Main");
    auto* focus = new QPushButton("field", &game);
    game.show();
    game.activateWindow();
    focus->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&game));

    QString shown;
    auto pressOk = [&] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(box);
        shown = box->findChild<QLabel*>("lab_Message")->text();
        QTest::keyClick(box, Qt::Key_Return);
    };
    QTimer::singleShot(100, pressOk);
    messages.ShowNiceMessage("Level  1\nReady or Not!");
    QCOMPARE(shown, QString("Level  1\nReady or Not!"));
    QCOMPARE(player.fileName, korvo::dataPath("beep.wav"));
    QTRY_COMPARE(QApplication::activeWindow(), &game);
    QCOMPARE(QApplication::focusWidget(), focus);

    player = fakes::FakePlayer{};
    sound.Silent = true;
    QTimer::singleShot(100, pressOk);
    messages.ShowNiceMessage("Game Over");
    QVERIFY(player.commands.empty());
}

QTEST_MAIN(NiceBoxTest)
#include "NiceBoxTest.moc"

#include "MainWindow.h"
#include "LauncherFixture.h"
#include "PictureButton.h"

#include <QLabel>
#include <QtTest>

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    // The buttons' names as a screen reader reads them, and a game button's click, are checked
    // end to end.
    void buttonsShowTheViewAndTheirClicksReachThePanel() {
        LauncherFixture f;
        launcher::MainWindow window(f.panel);
        f.offer({"Korvo's Vorpa", "Korvo's Zeltrix"});
        f.install("Korvo's Zeltrix");
        QImage picture(99, 70, QImage::Format_RGB32);
        picture.fill(Qt::red);
        picture.save(f.app + "/add/Korvo's Vorpa.gif", "PNG");
        window.Form_Load();
        f.view().AnimateButtons();
        window.refresh(); // as a tick does, once the frame is known
        // One button: 2975 x 2235 twips, frame included.
        QCOMPARE(window.frameGeometry().size(), QSize(198, 149));
        auto* frame = window.findChild<launcher::PictureButton*>(
            QString("cmd_OtherGames_%1").arg(f.view().SwitchFrame()));
        QVERIFY(frame->isVisible());
        QTest::mouseClick(frame, Qt::LeftButton);
        QVERIFY(!f.catalogue.ShowingInstalled && f.view().SwitchAnimating()); // and released
        launcher::PictureButton* vorpa = window.playButton(0);
        QVERIFY(vorpa->hasPicture() && vorpa->isVisible());
        QCOMPARE(vorpa->geometry(), QRect(8, 9, 99, 70));
        QCOMPARE(window.gameLabel(0)->text(), QString(" Vorpa"));
        QCOMPARE(window.playButton(1)->text(), QString("?"));
    }

    void pointerOnAButtonPutsTheFrameBehindItAndALeftPressClicks() {
        LauncherFixture f;
        launcher::MainWindow window(f.panel);
        f.offer({"Korvo's Vorpa"});
        window.Form_Load();
        auto* frame = window.findChild<QLabel*>("pb_ButtonHighlight");
        QTest::mouseMove(window.playButton(1));
        QVERIFY(frame->isVisible());
        QCOMPARE(frame->geometry().topLeft(), QPoint(135, 4));
        const QObjectList& siblings = frame->parentWidget()->children();
        QVERIFY(siblings.indexOf(frame) < siblings.indexOf(window.playButton(1)));
        QTest::mouseMove(window.gameLabel(1));
        QVERIFY(!frame->isVisible());
        QTest::mousePress(window.playButton(0), Qt::RightButton);
        QCOMPARE(f.player.fileName, korvo::dataPath("thud.wav"));
        QTest::mousePress(window.playButton(0), Qt::LeftButton);
        QCOMPARE(f.player.fileName, korvo::dataPath("click.wav"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"

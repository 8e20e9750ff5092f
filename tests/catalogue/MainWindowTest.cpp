#include "MainWindow.h"
#include "LauncherFixture.h"
#include "PictureButton.h"

#include <QLabel>
#include <QtTest>

namespace {
struct WindowFixture : LauncherFixture {
    launcher::MainWindow window{panel};
};
} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void buttonsShowTheViewAndTheirClicksReachThePanel() {
        WindowFixture f;
        f.offer({"Korvo's Vorpa", "Korvo's Zeltrix"});
        f.install("Korvo's Zeltrix");
        QImage picture(99, 70, QImage::Format_RGB32);
        picture.fill(Qt::red);
        picture.save(f.app + "/add/Korvo's Vorpa.gif", "PNG");
        f.window.Form_Load();
        f.view().AnimateButtons();
        f.window.refresh(); // as a tick does, once the frame is known
        // One button: 2975 x 2235 twips, frame included.
        QCOMPARE(f.window.frameGeometry().size(), QSize(198, 149));
        auto* frame = f.window.findChild<launcher::PictureButton*>(
            QString("cmd_OtherGames_%1").arg(f.view().SwitchFrame()));
        QVERIFY(frame->isVisible() && frame->accessibleName() == "Other Games");
        QTest::mouseClick(frame, Qt::LeftButton);
        QVERIFY(!f.catalogue.ShowingInstalled && f.view().SwitchAnimating()); // and released
        QCOMPARE(frame->accessibleName(), QString("Installed Games"));
        launcher::PictureButton* vorpa = f.window.playButton(0);
        QCOMPARE(vorpa->accessibleName(), QString("Korvo's Vorpa"));
        QVERIFY(vorpa->hasPicture() && vorpa->isVisible());
        QCOMPARE(vorpa->geometry(), QRect(8, 9, 99, 70));
        QCOMPARE(f.window.gameLabel(0)->text(), QString(" Vorpa"));
        QCOMPARE(f.window.playButton(1)->text(), QString("?"));
        QTest::mouseClick(vorpa, Qt::LeftButton);
        QCOMPARE(f.dialogs.pages.size(), std::size_t(1));
    }

    void pointerOnAButtonPutsTheFrameBehindItAndALeftPressClicks() {
        WindowFixture f;
        f.offer({"Korvo's Vorpa"});
        f.window.Form_Load();
        auto* frame = f.window.findChild<QLabel*>("pb_ButtonHighlight");
        QTest::mouseMove(f.window.playButton(1));
        QVERIFY(frame->isVisible());
        QCOMPARE(frame->geometry().topLeft(), QPoint(135, 4));
        const QObjectList& siblings = frame->parentWidget()->children();
        QVERIFY(siblings.indexOf(frame) < siblings.indexOf(f.window.playButton(1)));
        QTest::mouseMove(f.window.gameLabel(1));
        QVERIFY(!frame->isVisible());
        QTest::mousePress(f.window.playButton(0), Qt::RightButton);
        QCOMPARE(f.player.fileName, korvo::dataPath("thud.wav"));
        QTest::mousePress(f.window.playButton(0), Qt::LeftButton);
        QCOMPARE(f.player.fileName, korvo::dataPath("click.wav"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"

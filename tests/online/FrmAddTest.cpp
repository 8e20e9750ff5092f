// The download window: it starts once shown, shows the bar in its box as the data arrives,
// closes itself when done, and Cancel and Escape stop it.
#include <QtTest>

#include "FrmAdd.h"
#include "OnlineFixture.h"

#include <QFrame>

using testing::Strings;

class FrmAddTest : public QObject {
    Q_OBJECT
private slots:
    void window_showsTheDownloadUntilItEndsOrIsStopped_data() {
        QTest::addColumn<QString>("stop"); // what the user does halfway
        QTest::newRow("nothing") << "";
        QTest::newRow("Cancel") << "Cancel";
        QTest::newRow("Escape") << "Escape";
    }
    void window_showsTheDownloadUntilItEndsOrIsStopped() {
        QFETCH(QString, stop);
        testing::OnlineFixture f;
        launcher::FrmAdd window(f.setup, &f.frmMain);
        const std::string file = f.setup.componentsDir + "korvo002.cmp";
        window.SetDownloadFile(file);
        window.SetDownloadURL("http://quibbrik.test/downloads/korvo002.cmp");
        QCOMPARE(testing::shownTexts(window), (QStringList{"Add Component", "&Cancel"}));
        QVERIFY(f.http.events == nullptr); // not before it is shown
        auto* bar = window.findChild<QWidget*>("pb_Bar");
        const int full = window.findChild<QFrame*>("pb_Progress")->contentsRect().width();
        int barHalfway = 0;
        QString progressHalfway;
        testing::Script script;
        script.then([&] { return f.http.events != nullptr; },
                    [&] {
                        f.http.status = 200;
                        f.http.length = "4096";
                        f.http.events->StateChanged(korvo::kResponseReceived);
                        f.http.events->DataArrived(std::string(1024, 'k'));
                        barHalfway = bar->width();
                        progressHalfway = window.findChild<QLabel*>("lb_Progress")->text();
                        if (stop == "Cancel") {
                            window.findChild<QAbstractButton*>("cmd_Cancel")->click();
                        } else if (stop == "Escape") {
                            QTest::keyClick(&window, Qt::Key_Escape);
                        } else {
                            f.http.events->DataArrived(std::string(3072, 'k'));
                            f.http.executing = false;
                            f.http.events->StateChanged(korvo::kResponseCompleted);
                        }
                    });
        window.exec();
        QVERIFY(script.done());
        QCOMPARE(progressHalfway, QString("1 Kb copied."));
        QVERIFY(barHalfway > full / 4 - 2 && barHalfway < full / 4 + 2);
        QCOMPARE(f.http.address, std::string("http://quibbrik.test/downloads/korvo002.cmp"));
        if (stop.isEmpty()) {
            QCOMPARE(bar->width(), full);
            QCOMPARE(f.files(), QStringList{"korvo002.cmp"});
            QCOMPARE(f.installer.installed, Strings{file});
        } else {
            QCOMPARE(f.http.cancels, 1);
            QVERIFY(f.files().isEmpty() && f.installer.installed.empty());
        }
        QVERIFY(f.desktop.messages.shown.empty());
    }
};

QTEST_MAIN(FrmAddTest)
#include "FrmAddTest.moc"

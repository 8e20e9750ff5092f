// The download window: it starts once shown, shows the count and the bar in its box as the data
// arrives, and Cancel and Escape stop it and close it.
#include <QtTest>

#include "FrmAdd.h"
#include "OnlineFixture.h"

#include <QFrame>

class FrmAddTest : public QObject {
    Q_OBJECT
private slots:
    void window_showsTheDownloadUntilCancelled_data() {
        QTest::addColumn<bool>("escape"); // else the Cancel button
        QTest::newRow("Cancel") << false;
        QTest::newRow("Escape") << true;
    }
    void window_showsTheDownloadUntilCancelled() {
        QFETCH(bool, escape);
        testing::OnlineFixture f;
        launcher::FrmAdd window(f.setup, &f.frmMain);
        window.SetDownloadFile(f.setup.componentsDir + "korvo002.cmp");
        QVERIFY(f.http.events == nullptr); // not before it is shown
        window.show();
        QTRY_VERIFY(f.http.events != nullptr);
        f.http.play(200, "4096", std::string(1024, 'k'), 1024, std::nullopt);
        QCOMPARE(window.findChild<QLabel*>("lb_Progress")->text(), QString("1 Kb copied."));
        const int full = window.findChild<QFrame*>("pb_Progress")->contentsRect().width();
        const int bar = window.findChild<QWidget*>("pb_Bar")->width();
        QVERIFY(bar > full / 4 - 2 && bar < full / 4 + 2); // a quarter of 4096
        if (escape) {
            QTest::keyClick(&window, Qt::Key_Escape);
        } else {
            window.findChild<QAbstractButton*>("cmd_Cancel")->click();
        }
        QVERIFY(!window.isVisible());
        QCOMPARE(f.http.cancels, 1);
    }
};

QTEST_MAIN(FrmAddTest)
#include "FrmAddTest.moc"

#include "FrmAbout.h"

#include "Fakes.h"

#include <QLabel>
#include <QTest>

using zeltrix::FrmAbout;

class FrmAboutTest : public QObject {
    Q_OBJECT

private slots:
    // Enter closes it on the end-to-end game test.
    void escapeClosesTheBox() {
        FrmAbout about;
        about.show();
        QTest::keyClick(&about, Qt::Key_Escape);
        QVERIFY(!about.isVisible());
    }

    void websiteClickOpensTheAddressOrPointsTheWay() {
        fakes::FakeDesktop desktop;
        FrmAbout about;
        auto* website = about.findChild<QLabel*>("lb_Website");
        QTest::mouseClick(website, Qt::LeftButton);
        QCOMPARE(desktop.shell.opened, std::vector<std::string>{"http://www.quibbrik.com"});
        QVERIFY(desktop.messages.shown.empty());

        desktop.shell.openSucceeds = false;
        QTest::mouseClick(website, Qt::LeftButton);
        QCOMPARE(desktop.messages.texts(),
                 (std::vector<std::string>{"Unable to open http://www.quibbrik.com.",
                                           "Unable to locate your web browser.\n\nIf you have a "
                                           "web browser, you can visit www.quibbrik.com."}));
    }
};

QTEST_MAIN(FrmAboutTest)
#include "FrmAboutTest.moc"

// The launcher's about box: its texts and the website link.
#include "AboutWindow.h"
#include "OnlineFixture.h"

#include <QtTest>

class AboutWindowTest : public QObject {
    Q_OBJECT
private slots:
    void showsItsTextsAndTheWebsiteOpensInTheBrowser() {
        fakes::FakeDesktop desktop;
        launcher::AboutWindow about;
        about.show();
        QStringList texts = testing::shownTexts(about);
        const QString description = about.findChild<QLabel*>("lblDescription_1")->text();
        QVERIFY(texts.removeOne(description));
        const QStringList terms = description.split('\n');
        QCOMPARE(texts,
                 (QStringList{"About Korvo's Control Panel", "Korvo's Maths Games : Control Panel",
                              "Version " KORVO_PROJECT_VERSION,
                              "Copyright \u00a9 2000 Zandolfic Software. All rights reserved.",
                              "www.quibbrik.com", "OK", "&System Info..."}));
        QCOMPARE(terms.size(), 3);
        QVERIFY(terms[2].contains("www.quibbrik.com"));
        QVERIFY(!about.findChild<QLabel*>("lblDisclaimer")->isVisible());
        QTest::mouseClick(about.findChild<QLabel*>("lb_Website"), Qt::LeftButton);
        QCOMPARE(desktop.shell.opened, std::vector<std::string>{"http://www.quibbrik.com"});
    }
};

QTEST_MAIN(AboutWindowTest)
#include "AboutWindowTest.moc"

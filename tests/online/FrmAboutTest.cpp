// The launcher's about box: its texts and the website link.
#include "FrmAbout.h"
#include "PlatformFakes.h"

#include <QLabel>
#include <QtTest>

class FrmAboutTest : public QObject {
    Q_OBJECT
private slots:
    void showsTitleVersionMakerAndTerms() {
        launcher::FrmAbout about;
        const auto text = [&about](const char* name) {
            return about.findChild<QLabel*>(name)->text();
        };
        QCOMPARE(about.windowTitle(), QString("About Korvo's Control Panel"));
        QCOMPARE(text("lblTitle"), QString("Korvo's Maths Games : Control Panel"));
        QCOMPARE(text("lblVersion"), QString("Version " KORVO_PROJECT_VERSION));
        QCOMPARE(text("lblCopyright"),
                 QString("Copyright \u00a9 2000 Zandolfic Software. All rights reserved."));
        const QStringList paragraphs = text("lblDescription_1").split('\n');
        QCOMPARE(paragraphs.size(), 3);
        QVERIFY(paragraphs[2].contains("www.quibbrik.com"));
        about.show();
        QVERIFY(!about.findChild<QLabel*>("lblDisclaimer")->isVisible());
        // Every text fits in the box.
        for (QLabel* label : about.findChildren<QLabel*>()) {
            if (label->isVisible()) {
                QVERIFY2(about.rect().contains(label->geometry()), qPrintable(label->objectName()));
                QVERIFY2(label->heightForWidth(label->width()) <= label->height() ||
                             !label->wordWrap(),
                         qPrintable(label->objectName()));
            }
        }
    }
    void websiteOpensInTheBrowser() {
        fakes::FakeDesktop desktop;
        launcher::FrmAbout about;
        about.show();
        QLabel* link = about.findChild<QLabel*>("lb_Website");
        QCOMPARE(link->text(), QString("www.quibbrik.com"));
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(desktop.shell.opened, std::vector<std::string>{"http://www.quibbrik.com"});
    }
};

QTEST_MAIN(FrmAboutTest)
#include "FrmAboutTest.moc"

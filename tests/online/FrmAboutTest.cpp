// The launcher's about box: its texts, its buttons and keys, and the website link.
#include "FrmAbout.h"
#include "PlatformFakes.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

class FrmAboutTest : public QObject {
    Q_OBJECT
private slots:
    void init() { korvo::setShell(&m_shell); }
    void cleanup() {
        korvo::setShell(nullptr);
        m_shell = {};
    }
    void showsTitleVersionMakerAndTerms();
    void okEnterAndEscapeClose_data();
    void okEnterAndEscapeClose();
    void websiteOpensInTheBrowser();

private:
    fakes::FakeShell m_shell;
};

void FrmAboutTest::showsTitleVersionMakerAndTerms() {
    launcher::FrmAbout about;
    const auto text = [&about](const char* name) { return about.findChild<QLabel*>(name)->text(); };
    QCOMPARE(about.windowTitle(), QString("About Korvo's Control Panel"));
    QCOMPARE(text("lblTitle"), QString("Korvo's Maths Games : Control Panel"));
    QCOMPARE(text("lblVersion"), QString("Version " KORVO_PROJECT_VERSION));
    QCOMPARE(text("lblCopyright"),
             QString("Copyright \u00a9 2000 Zandolfic Software. All rights reserved."));
    QCOMPARE(text("lb_Website"), QString("www.quibbrik.com"));
    const QStringList paragraphs = text("lblDescription_1").split('\n');
    QCOMPARE(paragraphs.size(), 3);
    for (const QString& paragraph : paragraphs) {
        QVERIFY(paragraph.size() > 40);
    }
    QVERIFY(paragraphs[2].contains("www.quibbrik.com"));
    about.show();
    QVERIFY(!about.findChild<QLabel*>("lblDisclaimer")->isVisible());
    QVERIFY(about.findChild<QFrame*>("Line1_0")->isVisible());
    QVERIFY(about.findChild<QFrame*>("Line1_1")->isVisible());
    // Every text fits in the box.
    for (QLabel* label : about.findChildren<QLabel*>()) {
        if (label->isVisible()) {
            QVERIFY2(about.rect().contains(label->geometry()), qPrintable(label->objectName()));
            QVERIFY2(label->heightForWidth(label->width()) <= label->height() || !label->wordWrap(),
                     qPrintable(label->objectName()));
        }
    }
}

void FrmAboutTest::okEnterAndEscapeClose_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("OK") << "OK";
    QTest::newRow("Enter") << "Enter";
    QTest::newRow("Escape") << "Escape";
}

void FrmAboutTest::okEnterAndEscapeClose() {
    QFETCH(QString, how);
    launcher::FrmAbout about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    if (how == "OK") {
        about.findChild<QPushButton*>("cmdOK")->click();
    } else {
        QTest::keyClick(&about, how == "Enter" ? Qt::Key_Return : Qt::Key_Escape);
    }
    QVERIFY(!about.isVisible());
}

void FrmAboutTest::websiteOpensInTheBrowser() {
    launcher::FrmAbout about;
    about.show();
    QLabel* link = about.findChild<QLabel*>("lb_Website");
    QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(m_shell.opened, std::vector<std::string>{"http://www.quibbrik.com"});
}

QTEST_MAIN(FrmAboutTest)
#include "FrmAboutTest.moc"

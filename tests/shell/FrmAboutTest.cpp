#include "FrmAbout.h"

#include "Fakes.h"

#include <QLabel>
#include <QTest>
#include <QTimer>

using zeltrix::FrmAbout;

class FrmAboutTest : public QObject {
    Q_OBJECT

    fakes::FakeShell m_shell;
    fakes::FakeMessages m_messages;

private slots:
    void init() {
        m_shell = {};
        korvo::setShell(&m_shell);
        m_messages = {};
        korvo::setMessages(&m_messages);
    }

    void cleanup() {
        korvo::setShell(nullptr);
        korvo::setMessages(nullptr);
    }

    void escapeAndEnterCloseTheBox() {
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
            FrmAbout about;
            QTimer::singleShot(0, &about, [&about, key] { QTest::keyClick(&about, key); });
            about.exec();
            QVERIFY(!about.isVisible());
        }
    }

    void websiteClickOpensTheAddressOrPointsTheWay() {
        FrmAbout about;
        auto* website = about.findChild<QLabel*>("lb_Website");
        QTest::mouseClick(website, Qt::LeftButton);
        QCOMPARE(m_shell.opened, std::vector<std::string>{"http://www.korvogames.com"});
        QVERIFY(m_messages.shown.empty());

        m_shell.openSucceeds = false;
        QTest::mouseClick(website, Qt::LeftButton);
        QCOMPARE(m_messages.texts(),
                 (std::vector<std::string>{"Unable to open http://www.korvogames.com.",
                                           "Unable to locate your web browser.\n\nIf you have a "
                                           "web browser, you can visit www.korvogames.com."}));
    }
};

QTEST_MAIN(FrmAboutTest)
#include "FrmAboutTest.moc"

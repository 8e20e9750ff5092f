#include "Help.h"

#include "DataPath.h"
#include "Fakes.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <fstream>
#include <utility>

using zeltrix::MessageIcon;

class HelpTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    fakes::FakeShell m_shell;
    std::vector<std::pair<std::string, MessageIcon>> m_messages;

    static QList<QWidget*> helpWindows() {
        QList<QWidget*> found;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible() && window->windowTitle().contains("Korvo's Help")) {
                found << window;
            }
        }
        return found;
    }

private slots:
    void init() {
        korvo::setProgramDir(m_dir.path().toStdString());
        QDir(m_dir.path()).mkpath("add");
        m_shell = {};
        korvo::setShell(&m_shell);
        m_messages.clear();
        zeltrix::setPlatformMessage([this](const std::string& text, MessageIcon icon) {
            m_messages.emplace_back(text, icon);
        });
    }

    void cleanup() {
        qDeleteAll(helpWindows());
        korvo::setShell(nullptr);
        zeltrix::setPlatformMessage({});
    }

    void helpOpensInOneHelpWindowFoundByItsTitle() {
        std::ofstream(korvo::dataPath("korvo's help.hlp"))
            << "<html><head><meta charset=\"utf-8\"></head><body><h1>Shooting Comeqs</h1>"
               "<p>Aim \xe2\x80\x94 fire.</p></body></html>";
        zeltrix::ShowHelp();
        zeltrix::ShowHelp();
        QCOMPARE(helpWindows().size(), 1);
        const QString text = helpWindows().front()->findChild<QTextBrowser*>()->toPlainText();
        QVERIFY2(text.contains(u"Aim \u2014 fire."), qPrintable(text));
        QVERIFY(m_shell.opened.empty());
        QVERIFY(m_messages.empty());
    }

    void missingHelpFileNamesItsFullPath() {
        QFile::remove(QString::fromStdString(korvo::dataPath("korvo's help.hlp")));
        zeltrix::ShowHelp();
        QVERIFY(helpWindows().isEmpty());
        QCOMPARE(m_messages.size(), 1u);
        QCOMPARE(m_messages[0].first,
                 "Unable to open " + korvo::dataPath("korvo's help.hlp") + ".");
        QCOMPARE(m_messages[0].second, MessageIcon::Exclamation);
    }

    void otherDocumentsGoToTheDesktop() {
        bool opened = false;
        zeltrix::OpenDocument("http://www.korvogames.com", 2, opened);
        QVERIFY(opened);
        QVERIFY(m_messages.empty());

        m_shell.openSucceeds = false;
        zeltrix::OpenDocument("/tmp/scores.txt", 0, opened);
        QVERIFY(!opened);
        QCOMPARE(m_shell.opened,
                 (std::vector<std::string>{"http://www.korvogames.com", "/tmp/scores.txt"}));
        QCOMPARE(m_messages.size(), 1u);
        QCOMPARE(m_messages[0].first, "Unable to open /tmp/scores.txt.");
    }
};

QTEST_MAIN(HelpTest)
#include "HelpTest.moc"

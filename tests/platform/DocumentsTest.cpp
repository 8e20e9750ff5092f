#include "Documents.h"

#include "DataPath.h"
#include "PlatformFakes.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <fstream>
#include <utility>

using korvo::MessageIcon;

class DocumentsTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    fakes::FakeDesktop m_desktop;

    static QList<QWidget*> helpWindows() {
        QList<QWidget*> found = QApplication::topLevelWidgets();
        found.removeIf([](QWidget* w) {
            return !w->isVisible() || !w->windowTitle().contains("Korvo's Help");
        });
        return found;
    }

    static void showHelp() {
        bool opened = false;
        korvo::OpenDocument(korvo::dataPath("korvo's help.hlp"), 0, opened);
    }

private slots:
    void initTestCase() {
        korvo::setProgramDir(m_dir.path().toStdString());
        QDir(m_dir.path()).mkpath("add");
    }

    void cleanup() { qDeleteAll(helpWindows()); }

    void helpOpensInOneHelpWindowFoundByItsTitle() {
        std::ofstream(korvo::dataPath("korvo's help.hlp"))
            << "<html><head><meta charset=\"utf-8\"></head><body><h1>Shooting Comeqs</h1>"
               "<p>Aim \xe2\x80\x94 fire.</p></body></html>";
        showHelp();
        showHelp();
        QCOMPARE(helpWindows().size(), 1);
        const QString text = helpWindows().front()->findChild<QTextBrowser*>()->toPlainText();
        QVERIFY2(text.contains(u"Aim \u2014 fire."), qPrintable(text));
        QVERIFY(m_desktop.shell.opened.empty() && m_desktop.messages.shown.empty());
    }

    void missingHelpFileNamesItsFullPath() {
        QFile::remove(QString::fromStdString(korvo::dataPath("korvo's help.hlp")));
        showHelp();
        QVERIFY(helpWindows().isEmpty());
        QCOMPARE(m_desktop.messages.texts(),
                 std::vector{"Unable to open " + korvo::dataPath("korvo's help.hlp") + "."});
        QVERIFY(m_desktop.messages.shown[0].icon == MessageIcon::Exclamation);
    }
};

QTEST_MAIN(DocumentsTest)
#include "DocumentsTest.moc"

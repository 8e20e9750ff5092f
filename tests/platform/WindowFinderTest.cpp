#include "WindowFinder.h"

#include <QTest>

class WindowFinderTest : public QObject {
    Q_OBJECT
private slots:
    void titleHoldsMustAndNotMustNotInAnyCase_data() {
        for (const char* column : {"title", "must", "mustNot"}) {
            QTest::addColumn<std::string>(column);
        }
        QTest::addColumn<bool>("matches");
        const auto row = [](const char* name, std::string title, std::string must,
                            std::string mustNot, bool matches) {
            QTest::newRow(name) << title << must << mustNot << matches;
        };
        row("upper case", "KORVO'S ZELTRIX", "korvo's", "help", true);
        row("help in any case", "korvo's HeLp viewer", "KORVO'S", "help", false);
        row("must anywhere", "Setup of Korvo's Vorpa", "korvo's", "help", true);
        row("launcher's name", "Korvo Control Panel", "korvo's", "help", false);
        row("empty must-not", "Korvo's Help", "korvo's help", "", true);
        row("empty must-not is ###", "Korvo's ### Help", "korvo's", "", false);
        row("accents", "Korvo's Caf\u00e9", "CAF\u00c9", "", true);
    }
    void titleHoldsMustAndNotMustNotInAnyCase() {
        QFETCH(std::string, title);
        QFETCH(std::string, must);
        QFETCH(std::string, mustNot);
        QTEST(korvo::TitleMatches(title, must, mustNot), "matches");
    }
};

QTEST_GUILESS_MAIN(WindowFinderTest)
#include "WindowFinderTest.moc"

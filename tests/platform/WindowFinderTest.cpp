#include "WindowFinder.h"

#include <QTest>

class WindowFinderTest : public QObject {
    Q_OBJECT
private slots:
    void titleHoldsMustAndNotMustNotInAnyCase_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("must");
        QTest::addColumn<QString>("mustNot");
        QTest::addColumn<bool>("matches");
        struct Row {
            const char *name, *title, *must, *mustNot;
            bool matches;
        };
        static const Row rows[] = {
            {"upper case", "KORVO'S ZELTRIX", "korvo's", "help", true},
            {"help in any case", "korvo's HeLp viewer", "KORVO'S", "help", false},
            {"must anywhere", "Setup of Korvo's Vorpa", "korvo's", "help", true},
            {"launcher's name", "Korvo Control Panel", "korvo's", "help", false},
            {"empty must-not", "Korvo's Help", "korvo's help", "", true},
            {"empty must-not is ###", "Korvo's ### Help", "korvo's", "", false},
            {"accents", "Korvo's Caf\u00e9", "CAF\u00c9", "", true},
        };
        for (const Row& row : rows) {
            QTest::newRow(row.name) << QString::fromUtf8(row.title) << QString::fromUtf8(row.must)
                                    << QString::fromUtf8(row.mustNot) << row.matches;
        }
    }
    void titleHoldsMustAndNotMustNotInAnyCase() {
        QFETCH(QString, title);
        QFETCH(QString, must);
        QFETCH(QString, mustNot);
        QFETCH(bool, matches);
        QCOMPARE(
            korvo::TitleMatches(title.toStdString(), must.toStdString(), mustNot.toStdString()),
            matches);
    }
};

QTEST_GUILESS_MAIN(WindowFinderTest)
#include "WindowFinderTest.moc"

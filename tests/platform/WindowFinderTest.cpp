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
        QTest::newRow("game") << "Korvo's Zeltrix  V2.1.0"
                              << "korvo's"
                              << "help" << true;
        QTest::newRow("upper case") << "KORVO'S ZELTRIX"
                                    << "korvo's"
                                    << "help" << true;
        QTest::newRow("help") << "Korvo's Help"
                              << "korvo's"
                              << "help" << false;
        QTest::newRow("help in any case") << "korvo's HeLp viewer"
                                          << "KORVO'S"
                                          << "help" << false;
        QTest::newRow("must anywhere") << "Setup of Korvo's Vorpa"
                                       << "korvo's"
                                       << "help" << true;
        QTest::newRow("must missing") << "Game Control Panel"
                                      << "korvo's"
                                      << "help" << false;
        QTest::newRow("launcher's name") << "Korvo Control Panel"
                                         << "korvo's"
                                         << "help" << false;
        QTest::newRow("empty must-not") << "Korvo's Help"
                                        << "korvo's help"
                                        << "" << true;
        QTest::newRow("empty must-not is ###") << "Korvo's ### Help"
                                               << "korvo's"
                                               << "" << false;
        QTest::newRow("empty title") << ""
                                     << "korvo's"
                                     << "help" << false;
        QTest::newRow("accents") << QString::fromUtf8("Korvo's Caf\u00e9")
                                 << QString::fromUtf8("CAF\u00c9") << "" << true;
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

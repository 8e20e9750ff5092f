// The addresses of the download server's files.
#include <QtTest>

#include "OnlineSetup.h"

class OnlineSetupTest : public QObject {
    Q_OBJECT

private slots:
    void downloadAddress_joinsHostFolderAndName_data() {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("address");
        QTest::newRow("host") << "www.quibbrik.com"
                              << "korvo002.cmp"
                              << "http://www.quibbrik.com/downloads/korvo002.cmp";
        QTest::newRow("host and port") << "127.0.0.1:48620"
                                       << "newreleases.txt"
                                       << "http://127.0.0.1:48620/downloads/newreleases.txt";
        QTest::newRow("https is used as given")
            << "https://www.quibbrik.com"
            << "korvo002.cmp"
            << "https://www.quibbrik.com/downloads/korvo002.cmp";
        QTest::newRow("a final slash is not doubled")
            << "https://www.quibbrik.com/"
            << "korvo002.cmp"
            << "https://www.quibbrik.com/downloads/korvo002.cmp";
        QTest::newRow("blanks and marks are encoded")
            << "host"
            << "korvo #2?.cmp"
            << "http://host/downloads/korvo%20%232%3F.cmp";
        QTest::newRow("bytes beyond ASCII are encoded")
            << "host" << QString::fromLatin1("caf\xe9.cmp")
            << "http://host/downloads/caf%C3%A9.cmp";
    }
    void downloadAddress_joinsHostFolderAndName() {
        QFETCH(QString, host);
        QFETCH(QString, file);
        QFETCH(QString, address);
        QCOMPARE(QString::fromStdString(
                     launcher::DownloadAddress(host.toStdString(), file.toStdString())),
                 address);
    }
};

QTEST_GUILESS_MAIN(OnlineSetupTest)
#include "OnlineSetupTest.moc"

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
        QTest::newRow("host and port")
            << QString("127.0.0.1:48620") << QString("newreleases.txt")
            << QString("http://127.0.0.1:48620/downloads/newreleases.txt");
        QTest::newRow("https as given, without a double slash")
            << QString("https://www.quibbrik.com/") << QString("korvo002.cmp")
            << QString("https://www.quibbrik.com/downloads/korvo002.cmp");
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

// The pictures that the build makes for the launcher's data folder, and the game's screendump
// that the launcher shows for the installed game: each loads at the size it is placed at. The
// sounds' length and loudness are left to the ear.

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QtTest>

class LauncherAssetsTest : public QObject {
    Q_OBJECT

private slots:
    void picturesLoadAtTheirSizes_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        const auto row = [](const QString& name, QSize size) {
            QTest::newRow(qPrintable(name)) << QStringLiteral(LAUNCHER_ADD "/") + name << size;
        };
        // A button for every game of the list, named by the game.
        QFile games(LAUNCHER_ADD "/games.txt");
        QVERIFY(games.open(QIODevice::ReadOnly));
        while (!games.atEnd()) {
            row(QString::fromLatin1(games.readLine().split('"').value(1)) + ".gif", {99, 70});
        }
        row("highlight.gif", {109, 80});
        for (int frame = 1; frame <= 4; ++frame) {
            row(QString("switch %1.gif").arg(frame), {27, 27});
        }
        row("logo.gif", {364, 61});
        for (const char* coin : {"0", "1", "2", "3", "4", "5", "rest"}) {
            row(QString("coin ") + coin + ".gif", {240, 39});
        }
        row("icon.png", {48, 48});
        row("icon-128.png", {128, 128});
        QTest::newRow("screendump")
            << QStringLiteral(ZELTRIX_ADD "/screendump.gif") << QSize(99, 70);
    }
    void picturesLoadAtTheirSizes() {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        QImageReader reader(path);
        QCOMPARE(reader.format(), path.endsWith(".png") ? QByteArray("png") : QByteArray("gif"));
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(path + ": " + reader.errorString()));
        QCOMPARE(image.size(), size);
    }
};

QTEST_MAIN(LauncherAssetsTest)
#include "LauncherAssetsTest.moc"

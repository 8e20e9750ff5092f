// The pictures that the build makes for the launcher's data folder, and the game's screendump
// that the launcher shows for the installed game: each loads at the size it is placed at. The
// sounds' length and loudness are left to the ear.

#include <QImage>
#include <QImageReader>
#include <QtTest>

namespace {

const QString kLauncherAdd = QStringLiteral(LAUNCHER_ADD);
const QString kZeltrixAdd = QStringLiteral(ZELTRIX_ADD);

const QStringList kGames{"Korvo's Vorpa",   "Korvo's Zeltrix",    "Korvo's Dravolt",
                         "Korvo's Mirvane", "Korvo's Skelmo",     "Korvo's Quentor",
                         "Korvo's Tovash",  "Korvo's Tovash Pro", "Korvo's Wendrix",
                         "Korvo's Flindo"};
const QStringList kCoins{"coin 0.gif", "coin 1.gif", "coin 2.gif",   "coin 3.gif",
                         "coin 4.gif", "coin 5.gif", "coin rest.gif"};

// Every picture of the launcher's folder with the size the program places it at.
QList<std::pair<QString, QSize>> LauncherPictures() {
    QList<std::pair<QString, QSize>> pictures;
    for (const QString& game : kGames) {
        pictures.append({game + ".gif", {99, 70}});
    }
    pictures.append({"highlight.gif", {109, 80}});
    for (int i = 1; i <= 4; ++i) {
        pictures.append({QString("switch %1.gif").arg(i), {27, 27}});
    }
    pictures.append({"logo.gif", {364, 61}});
    for (const QString& coin : kCoins) {
        pictures.append({coin, {240, 39}});
    }
    pictures.append({"icon.png", {48, 48}});
    pictures.append({"icon-128.png", {128, 128}});
    return pictures;
}

} // namespace

class LauncherAssetsTest : public QObject {
    Q_OBJECT

private slots:
    void picturesLoadAtTheirSizes_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        for (const auto& [name, size] : LauncherPictures()) {
            QTest::newRow(qPrintable(name)) << kLauncherAdd + "/" + name << size;
        }
        QTest::newRow("screendump") << kZeltrixAdd + "/screendump.gif" << QSize(99, 70);
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

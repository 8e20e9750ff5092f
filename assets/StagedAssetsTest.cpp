// Checks the data files that the build stages in the game's data folder.
#include "SdlPlayer.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QtEndian>
#include <QtTest>

namespace {

QString DataFile(const QString& name) {
    return qEnvironmentVariable("ZELTRIX_ADD") + "/" + name;
}

QByteArray ReadAll(const QString& name) {
    QFile file(DataFile(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A sprite of the given size with a clear background; a figure on the ground touches the
// bottom row.
void VerifySprite(const QString& name, QSize size, bool onGround) {
    QImageReader reader(DataFile(name));
    QVERIFY2(reader.format() == "gif", qPrintable(name));
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(name + ": " + reader.errorString()));
    QCOMPARE(image.size(), size);
    for (const QPoint corner :
         {QPoint(0, 0), QPoint(size.width() - 1, 0), QPoint(0, size.height() - 1),
          QPoint(size.width() - 1, size.height() - 1)}) {
        QVERIFY2(qAlpha(image.pixel(corner)) == 0, qPrintable(name));
    }
    bool standing = false;
    for (int x = 0; x < size.width(); ++x) {
        standing = standing || qAlpha(image.pixel(x, size.height() - 1)) != 0;
    }
    QVERIFY2(standing == onGround, qPrintable(name));
}

} // namespace

class StagedAssetsTest : public QObject {
    Q_OBJECT

private slots:
    void backgroundFillsTheFieldFromAColouredCorner() {
        const QImage background(DataFile("background.gif"));
        QCOMPARE(background.size(), QSize(635, 459));
        QVERIFY(background.pixel(0, 0) != qRgb(0, 0, 0));
    }

    void spritesHaveTheirSizeAndAClearBackground_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("onGround");
        for (const char* name :
             {"robot stand right.gif", "robot stand left.gif", "robot gun right.gif",
              "robot gun left.gif", "robot squashed.gif"}) {
            QTest::newRow(name) << QString(name) << QSize(40, 60) << true;
        }
        QTest::newRow("hiscores") << QString("robot hiscores.gif") << QSize(80, 120) << true;
        QTest::newRow("life") << QString("life.gif") << QSize(48, 48) << false;
    }
    void spritesHaveTheirSizeAndAClearBackground() {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QFETCH(bool, onGround);
        VerifySprite(name, size, onGround);
    }

    void animationsNameTheirFramesAndSteps_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("dx");
        QTest::addColumn<QSize>("size");
        QTest::newRow("run right") << QString("robot run right.spr") << 75 << QSize(40, 60);
        QTest::newRow("run left") << QString("robot run left.spr") << -75 << QSize(40, 60);
        QTest::newRow("mark time") << QString("mark time.spr") << 0 << QSize(80, 120);
    }
    void animationsNameTheirFramesAndSteps() {
        QFETCH(QString, name);
        QFETCH(int, dx);
        QFETCH(QSize, size);
        const QString text = QString::fromLatin1(ReadAll(name));
        QVERIFY(text.endsWith("\r\n"));
        QStringList lines = text.split("\r\n");
        lines.removeLast();
        QVERIFY(lines.takeFirst().toInt() > 0);
        QVERIFY(lines.size() >= 6);
        const QRegularExpression record("^\"([^\"]+)\",(-?\\d+),(-?\\d+)$");
        for (const QString& line : lines) {
            const QRegularExpressionMatch match = record.match(line);
            QVERIFY2(match.hasMatch(), qPrintable(line));
            QCOMPARE(match.captured(2).toInt(), dx);
            QCOMPARE(match.captured(3).toInt(), 0);
            VerifySprite(match.captured(1), size, true);
        }
    }

    void soundsAreAudibleMonoWaves_data() {
        QTest::addColumn<QString>("name");
        for (const char* name : {"pop.wav", "gunshot.wav", "crash.wav", "beep.wav"}) {
            QTest::newRow(name) << QString(name);
        }
    }
    void soundsAreAudibleMonoWaves() {
        QFETCH(QString, name);
        const QByteArray wave = ReadAll(name);
        QVERIFY(wave.size() > 44);
        auto u16 = [&](int at) { return qFromLittleEndian<quint16>(wave.constData() + at); };
        auto u32 = [&](int at) { return qFromLittleEndian<quint32>(wave.constData() + at); };
        QCOMPARE(wave.left(4), QByteArray("RIFF"));
        QCOMPARE(u32(4), quint32(wave.size() - 8));
        QCOMPARE(wave.mid(8, 8), QByteArray("WAVEfmt "));
        QCOMPARE(u16(20), quint16(1)); // PCM
        QCOMPARE(u16(22), quint16(1)); // mono
        QVERIFY(u32(24) == 22050 || u32(24) == 44100);
        QCOMPARE(u16(34), quint16(16));
        QCOMPARE(wave.mid(36, 4), QByteArray("data"));
        QCOMPARE(u32(40), quint32(wave.size() - 44));
        int peak = 0;
        for (int at = 44; at + 1 < wave.size(); at += 2) {
            peak = std::max(peak, std::abs(int(qFromLittleEndian<qint16>(wave.constData() + at))));
        }
        QVERIFY(peak > 8000);
    }

    void anthemIsAMultiTrackTuneOfAboutFortySeconds() {
        const QByteArray midi = ReadAll("anthem1.mid");
        QCOMPARE(midi.left(4), QByteArray("MThd"));
        QCOMPARE(qFromBigEndian<quint16>(midi.constData() + 8), quint16(1)); // format 1
        QVERIFY(qFromBigEndian<quint16>(midi.constData() + 10) >= 3);        // tracks
        const auto seconds = korvo::midiFileSeconds(midi.toStdString());
        QVERIFY(seconds);
        QVERIFY2(*seconds >= 35 && *seconds <= 55, qPrintable(QString::number(*seconds)));
    }
};

QTEST_MAIN(StagedAssetsTest)
#include "StagedAssetsTest.moc"

// The signed component file: what verifyComponent accepts and everything it must refuse.
#include "ComponentFile.h"
#include "ComponentFixture.h"
#include "Install.h"

#include <QTest>

using namespace fixture;

class ComponentFileTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    fs::path m_component;
    std::string m_bytes;

    fs::path copyWith(const std::string& bytes) {
        const fs::path copy = fs::path(m_dir.path().toStdString()) / "copy.cmp";
        writeText(copy, bytes);
        return copy;
    }

private slots:
    void initTestCase() {
        const fs::path dir = m_dir.path().toStdString();
        m_component = componentOf(
            dir, archiveOf({folder("Korvo's Test/"), file("Korvo's Test/a.txt", "hello")}));
        m_bytes = readText(m_component);
    }

    void signedComponentIsAcceptedAndLocatesItsArchive() {
        const auto check = korvo::verifyComponent(m_component, testKeys().publicKey);
        QVERIFY2(check.ok, check.reason.c_str());
        const std::string head = readText(fs::path(m_dir.path().toStdString()) / "setup-head");
        QCOMPARE(check.archiveOffset, head.size());
        QCOMPARE(check.archiveSize, m_bytes.size() - head.size() - korvo::kTrailerSize);
        QVERIFY(
            korvo::checkArchive(m_bytes.data() + check.archiveOffset, check.archiveSize).empty());
    }

    void flippedByteAnywhereIsRefused_data() {
        QTest::addColumn<qint64>("fromEnd"); // position counted from the end; < 0: from the start
        QTest::newRow("setup program") << qint64(-1);
        QTest::newRow("archive") << qint64(korvo::kTrailerSize + 3);
        QTest::newRow("header magic") << qint64(korvo::kTrailerSize);
        QTest::newRow("header version") << qint64(korvo::kTrailerSize - 8);
        QTest::newRow("header reserved") << qint64(korvo::kTrailerSize - 12);
        QTest::newRow("archive offset") << qint64(korvo::kTrailerSize - 16);
        QTest::newRow("archive size") << qint64(korvo::kTrailerSize - 24);
        QTest::newRow("signature") << qint64(40);
        QTest::newRow("final magic") << qint64(3);
    }
    void flippedByteAnywhereIsRefused() {
        QFETCH(qint64, fromEnd);
        std::string bytes = m_bytes;
        const std::size_t at = fromEnd < 0 ? 0 : bytes.size() - static_cast<std::size_t>(fromEnd);
        bytes[at] = static_cast<char>(bytes[at] ^ 0x01);
        const auto check = korvo::verifyComponent(copyWith(bytes), testKeys().publicKey);
        QVERIFY(!check.ok);
        QVERIFY(!check.reason.empty());
    }

    void fileCutShortIsRefused_data() {
        QTest::addColumn<qint64>("keep");
        QTest::newRow("empty") << qint64(0);
        QTest::newRow("setup program only") << qint64(10);
        QTest::newRow("half") << qint64(m_bytes.size() / 2);
        QTest::newRow("without the final magic") << qint64(m_bytes.size() - 8);
        QTest::newRow("one byte short") << qint64(m_bytes.size() - 1);
    }
    void fileCutShortIsRefused() {
        QFETCH(qint64, keep);
        const auto check = korvo::verifyComponent(
            copyWith(m_bytes.substr(0, static_cast<std::size_t>(keep))), testKeys().publicKey);
        QVERIFY(!check.ok);
        QVERIFY2(check.reason.find("cut short") != std::string::npos, check.reason.c_str());
    }

    void bytesAddedAtEitherEndAreRefused() {
        QVERIFY(!korvo::verifyComponent(copyWith(m_bytes + "x"), testKeys().publicKey).ok);
        QVERIFY(!korvo::verifyComponent(copyWith("x" + m_bytes), testKeys().publicKey).ok);
    }

    void unsignedProgramIsRefused() {
        const auto check = korvo::verifyComponent("/bin/true", testKeys().publicKey);
        QVERIFY(!check.ok);
        QVERIFY2(check.reason.find("signed") != std::string::npos, check.reason.c_str());
    }

    void otherKeyIsRefused() {
        const auto other = korvo::generateKeyPair();
        const auto check = korvo::verifyComponent(m_component, other.publicKey);
        QVERIFY(!check.ok);
        QVERIFY2(check.reason.find("signature does not match") != std::string::npos,
                 check.reason.c_str());
    }

    void missingFileOrFolderIsRefusedWithItsName() {
        const fs::path missing = fs::path(m_dir.path().toStdString()) / "none.cmp";
        auto check = korvo::verifyComponent(missing, testKeys().publicKey);
        QVERIFY(!check.ok);
        QVERIFY(check.reason.find(missing.string()) != std::string::npos);
        check = korvo::verifyComponent(m_dir.path().toStdString(), testKeys().publicKey);
        QVERIFY(!check.ok);
    }

    void secretKeyFileRoundTripsAndIsNeverOverwritten() {
        const fs::path key = fs::path(m_dir.path().toStdString()) / "signing.key";
        const auto keys = korvo::generateKeyPair();
        korvo::writeSecretKeyFile(key, keys);
        QCOMPARE(fs::status(key).permissions() & fs::perms::all,
                 fs::perms::owner_read | fs::perms::owner_write);
        const auto read = korvo::readSecretKeyFile(key);
        QVERIFY(read.publicKey == keys.publicKey);
        QVERIFY(read.secretKey == keys.secretKey);
        QVERIFY_THROWS_EXCEPTION(std::exception,
                                 korvo::writeSecretKeyFile(key, korvo::generateKeyPair()));
        QVERIFY(korvo::readSecretKeyFile(key).publicKey == keys.publicKey);
        writeText(key, "not a key\n");
        QVERIFY_THROWS_EXCEPTION(std::exception, korvo::readSecretKeyFile(key));
    }
};

QTEST_APPLESS_MAIN(ComponentFileTest)
#include "ComponentFileTest.moc"

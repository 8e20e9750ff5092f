// The signed component file: what verifyComponent accepts and reports, and everything it must
// refuse. How versions compare is seen in the launcher's choice of what to install.
#include "ComponentFile.h"
#include "ComponentFixture.h"

#include <QTest>

using namespace fixture;

class ComponentFileTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    fs::path m_root;
    std::string m_bytes; // a good component

    korvo::ComponentCheck check(const std::string& bytes, const korvo::PublicKey& key) {
        writeText(m_root / "copy.cmp", bytes);
        return korvo::verifyComponent(m_root / "copy.cmp", key);
    }

private slots:
    void initTestCase() {
        m_root = m_dir.path().toStdString();
        m_bytes = readText(componentOf(m_root, {folder("Korvo's Test/")}));
    }

    // A component made before components described themselves verifies, and says nothing.
    void componentSaysWhatItIsAndHolds() {
        const std::vector<Entry> entries{folder("Korvo's Test/"), file("Korvo's Test/a", "12345")};
        auto info = describedAs(entries, {"add/hiscores.txt", "add/questions.txt"});
        const fs::path component = componentOf(m_root, archiveOf(entries), info);
        const korvo::UniqueFd sealed = korvo::sealedCopy(component);
        QVERIFY(::pwrite(sealed.get(), "x", 1, 0) < 0 && ::ftruncate(sealed.get(), 1) < 0);
        auto checked = korvo::verifyComponent(sealed.get(), testKeys().publicKey);
        QVERIFY2(checked.ok, checked.reason.c_str());
        QCOMPARE(korvo::formatDescription(checked.info), korvo::formatDescription(info));
        info.format = 1;
        checked = korvo::verifyComponent(componentOf(m_root, archiveOf(entries), info),
                                         testKeys().publicKey);
        QVERIFY(checked.ok && checked.info.format == 1 && checked.info.game.empty());
    }

    // Accepted with its own key by every installation test.
    void componentIsRefusedWithAnotherKey() {
        const auto other = check(m_bytes, korvo::generateKeyPair().publicKey);
        QVERIFY(!other.ok && other.reason.find("signature does not match") != std::string::npos);
    }

    void damagedComponentIsRefused_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("why");
        const auto flipped = [this](std::size_t at) {
            QByteArray bytes = QByteArray::fromStdString(m_bytes);
            bytes[at] = static_cast<char>(bytes[at] ^ 0x01);
            return bytes;
        };
        const QByteArray good = QByteArray::fromStdString(m_bytes);
        const std::size_t end = m_bytes.size();
        const std::size_t header = end - korvo::kTrailerSize;
        QTest::newRow("setup program altered") << flipped(0) << "signature does not match";
        QTest::newRow("format version altered") << flipped(header + 8) << "newer version";
        QTest::newRow("archive size altered") << flipped(header + 24) << "header is damaged";
        QTest::newRow("signature altered") << flipped(end - 40) << "signature does not match";
        QTest::newRow("one byte short") << good.chopped(1) << "cut short";
        QTest::newRow("empty") << QByteArray() << "cut short";
        QTest::newRow("a byte added at the start") << 'x' + good << "header is damaged";
        QTest::newRow("a byte added at the end") << good + 'x' << "cut short";
        QTest::newRow("a program never signed")
            << QByteArray::fromStdString(readText("/bin/true")) << "never signed";
        const auto described = [this](korvo::ComponentInfo info) {
            return QByteArray::fromStdString(
                readText(componentOf(m_root, archiveOf({folder("Korvo's Test/")}), info)));
        };
        QTest::newRow("signed, naming no game")
            << described({2, "Test", "1.0", 1, 1, {}}) << "description is damaged";
        QTest::newRow("signed, with a version of letters")
            << described({2, "Korvo's Test", "1.x", 1, 1, {}}) << "no version";
        QTest::newRow("signed, with a version of five numbers")
            << described({2, "Korvo's Test", "1.2.3.4.5", 1, 1, {}}) << "no version";
        QTest::newRow("signed, with a player's file outside the game")
            << described({2, "Korvo's Test", "1.0", 1, 1, {"../hiscores.txt"}})
            << "not a player's file";
    }
    void damagedComponentIsRefused() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, why);
        const auto refused = check(bytes.toStdString(), testKeys().publicKey);
        QVERIFY2(!refused.ok && refused.reason.find(why.toStdString()) != std::string::npos,
                 refused.reason.c_str());
    }

    void secretKeyFileIsTheOwnersAloneAndNeverOverwritten() {
        const auto keys = korvo::generateKeyPair();
        korvo::writeSecretKeyFile(m_root / "signing.key", keys);
        QCOMPARE(fs::status(m_root / "signing.key").permissions(),
                 fs::perms::owner_read | fs::perms::owner_write);
        QVERIFY_THROWS_EXCEPTION(
            std::exception,
            korvo::writeSecretKeyFile(m_root / "signing.key", korvo::generateKeyPair()));
        QVERIFY(korvo::readSecretKeyFile(m_root / "signing.key").secretKey == keys.secretKey);
    }
};

QTEST_APPLESS_MAIN(ComponentFileTest)
#include "ComponentFileTest.moc"

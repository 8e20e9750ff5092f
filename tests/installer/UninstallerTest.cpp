// The uninstaller's work: the confirmed games go, then (with no game left) its uninstall entry,
// its desktop entry and its own file, each only when it belongs to this components directory.
#include "Uninstaller.h"
#include "ComponentFixture.h"
#include "ComponentLock.h"
#include "Install.h"
#include "Registry.h"
#include "Removal.h"

#include <QTest>

using namespace fixture;

class UninstallerTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    fs::path m_root;
    std::unique_ptr<korvo::Registry> m_registry;
    korvo::UninstallPlace m_place;

    void installGame(const std::string& name) {
        const auto archive = archiveOf({folder(name + "/"), file(name + "/" + name + ".exe")});
        const auto result = korvo::installComponent(componentOf(m_root, archive, name + ".cmp"),
                                                    m_place.componentsDir, testKeys().publicKey);
        QVERIFY2(result.ok, result.reason.c_str());
    }
    std::optional<korvo::RegistryValue> entry() const {
        return m_registry->QueryValue(korvo::RegistryRoot::LocalMachine, korvo::kUninstallKey,
                                      "DisplayName");
    }
    void writeEntry(const std::string& componentsDir) {
        m_registry->SetValue(korvo::RegistryRoot::LocalMachine, korvo::kUninstallKey, "DisplayName",
                             std::string("Korvo Game Components"));
        m_registry->SetValue(korvo::RegistryRoot::LocalMachine, korvo::kUninstallKey,
                             "UninstallString", componentsDir + "/Uninstall Components.exe");
    }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_root = m_dir->path().toStdString();
        m_registry = std::make_unique<korvo::Registry>(
            QString::fromStdString((m_root / "registry.ini").string()));
        m_place.componentsDir = m_root / "Korvo Game Components";
        m_place.self = m_place.componentsDir / korvo::kUninstallerFileName;
        m_place.registry = m_registry.get();
        m_place.desktopEntry = m_root / "applications/korvo-game-components.desktop";
        fs::create_directory(m_place.componentsDir);
        writeText(m_place.self, "uninstaller");
        writeText(m_place.desktopEntry,
                  "[Desktop Entry]\nExec=\"" + m_place.self.string() + "\"\n");
        writeEntry(m_place.componentsDir.string());
        installGame("Korvo's One");
        installGame("Korvo's Two");
    }

    void removingEveryGameRemovesTheEntriesAndTheUninstaller() {
        const auto result = korvo::removeGames(m_place, {"Korvo's One", "Korvo's Two"});
        QVERIFY2(result.ok, result.reason.c_str());
        QVERIFY(result.cleanedUp);
        QVERIFY(korvo::findInstalledGames(m_place.componentsDir).empty());
        QVERIFY(!entry());
        QVERIFY(!fs::exists(m_place.desktopEntry));
        QVERIFY(!fs::exists(m_place.self));
        QVERIFY(fs::exists(m_place.componentsDir)); // the directory itself stays
    }

    void aGameLeftKeepsTheEntriesAndTheUninstaller() {
        // Installed after the user confirmed the list: not removed, so the rest must stay.
        const auto result = korvo::removeGames(m_place, {"Korvo's One"});
        QVERIFY2(result.ok, result.reason.c_str());
        QVERIFY(!result.cleanedUp);
        QCOMPARE(korvo::findInstalledGames(m_place.componentsDir),
                 std::vector<std::string>{"Korvo's Two"});
        QVERIFY(entry());
        QVERIFY(fs::exists(m_place.desktopEntry));
        QVERIFY(fs::exists(m_place.self));
    }

    void entriesOfAnotherComponentsDirectoryStay() {
        writeEntry("/opt/other/Korvo Game Components");
        writeText(m_place.desktopEntry, "[Desktop Entry]\nExec=/opt/other/uninstall\n");
        const auto result = korvo::removeGames(m_place, {"Korvo's One", "Korvo's Two"});
        QVERIFY(result.ok && result.cleanedUp);
        QVERIFY(entry());
        QVERIFY(fs::exists(m_place.desktopEntry));
        QVERIFY(!fs::exists(m_place.self));
    }

    void nothingToRemoveStillCleansUp() {
        QVERIFY(korvo::removeGames(m_place, {"Korvo's One", "Korvo's Two"}).ok);
        writeText(m_place.self, "uninstaller");
        writeEntry(m_place.componentsDir.string() + "/");
        const auto result = korvo::removeGames(m_place, {});
        QVERIFY(result.ok && result.cleanedUp);
        QVERIFY(!entry());
        QVERIFY(!fs::exists(m_place.self));
    }

    void waitsForAnInstallationAndGivesUpClearly() {
        const korvo::ComponentLock lock(m_place.componentsDir, std::chrono::seconds(1));
        m_place.lockTimeout = std::chrono::milliseconds(300);
        bool waited = false;
        const auto result =
            korvo::removeGames(m_place, {"Korvo's One"}, [&waited] { waited = true; });
        QVERIFY(waited);
        QVERIFY(!result.ok);
        QVERIFY2(result.reason.find("still running") != std::string::npos, result.reason.c_str());
        QCOMPARE(korvo::findInstalledGames(m_place.componentsDir).size(), std::size_t(2));
    }
};

QTEST_GUILESS_MAIN(UninstallerTest)
#include "UninstallerTest.moc"

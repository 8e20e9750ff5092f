#pragma once

#include "Catalogue.h"
#include "ComponentFile.h"
#include "LauncherServices.h"

#include <functional>
#include <memory>
#include <string>

class QLockFile;

namespace launcher {

// The tag of the install watcher's timers for an installation; a removal has the empty tag.
inline const std::string kInstalling = "Installing";
inline const std::string kUninstallerName = "uninstall components.exe";
// The components shipped with the launcher, in its add/ folder.
inline const std::string kShippedComponents = "components.cmp";

inline const std::string kAddFailure = "An error occured while attempting to add ";
inline const std::string kInstallComplete =
    "Installation complete.\n\nClick on 'Installed Games' to play.";

struct InstallationServices {
    korvo::Shell& shell;
    korvo::Messages& messages;
    UninstallEntry& uninstallEntry;
};

// Runs component installers: a component file (".cmp") is a program that puts its game into the
// components directory named on its command line. The launcher checks the component's
// signature before it runs it and never unpacks anything itself.
class Installation {
public:
    // key checks the components' signatures; the one built into the program unless a test
    // gives its own.
    Installation(InstallationServices services, const Catalogue& catalogue,
                 korvo::PublicKey key = korvo::componentPublicKey());
    ~Installation();
    Installation(const Installation&) = delete;
    Installation& operator=(const Installation&) = delete;

    // Checks the component at path, makes the components directory, puts the uninstaller in
    // it, writes the uninstall entry and starts the component with the components directory as
    // its one argument. True when the installer runs; otherwise the user has been told why. A
    // component that fails its check never runs, and a downloaded one (in the components
    // directory) is deleted.
    bool InstallComponent(const std::string& path);

    // At start-up: when the shipped components are present and the components directory holds
    // no game, calls waitForInstaller and runs the shipped installer; otherwise calls doIntro.
    // One launcher at a time runs that installation: one started meanwhile calls
    // waitForInstaller alone and waits for the other's (OtherStartUpInstallRunning).
    void StartUpInstall(const std::function<void()>& waitForInstaller,
                        const std::function<void()>& doIntro);
    // Whether StartUpInstall would run the shipped installer.
    bool ShippedInstallWanted() const;
    // True while another launcher runs its first-start installation into the same folder.
    bool OtherStartUpInstallRunning();
    // The wait for the first-start installer is over: another launcher may run one now.
    void EndStartUpInstall();

private:
    void refuse(const std::string& path, const std::string& reason);
    // Takes the first-start lock, beside the components directory; false while another
    // launcher holds it. A folder where no lock can be made takes no games either: the
    // installation itself then says why.
    bool holdStartUpLock();

    InstallationServices m_services;
    const Catalogue& m_catalogue;
    korvo::PublicKey m_key;
    std::unique_ptr<QLockFile> m_startUpLock;
};

// True when an entry of the components directory is named "korvo's ..." (any letter case): a
// file, or a folder that holds a program file. A folder left with only a user's own files after
// its game was removed holds no game.
bool GameEntryPresent(const std::string& componentsDir);

// Deletes every file of the components directory named "*.cmp" in any letter case (downloaded
// components whose installers have finished). While an installer still holds the directory's
// lock nothing is deleted; the files go at the end of the next installation.
void DeleteDownloadedComponents(const std::string& componentsDir);

} // namespace launcher

#pragma once

#include "Catalogue.h"
#include "ChildProgram.h"
#include "ComponentFile.h"
#include "LauncherServices.h"

#include <functional>
#include <memory>
#include <string>

class QLockFile;

namespace launcher {

inline const std::string kUninstallerName = "uninstall components.exe";
// The components shipped with the launcher, in its add/ folder.
inline const std::string kShippedComponents = "components.cmp";

inline const std::string kAddFailure = "An error occured while attempting to add ";
inline const std::string kInstallComplete =
    "Installation complete.\n\nClick on 'Installed Games' to play.";

struct InstallationServices {
    korvo::Programs& programs;
    korvo::Messages& messages;
    UninstallEntry& uninstallEntry;
    korvo::Timers& timers;
};

// How a component's setup program ended, by its exit status.
enum class SetupOutcome {
    Installed, // 0
    Failed,    // 1: it has shown the user why
    Cancelled, // 2: the user asked for it
    Broken,    // killed, or a status no setup program gives
};
SetupOutcome OutcomeOf(korvo::ExitStatus status);

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
    // it, writes the uninstall entry and starts the component as a child with the components
    // directory as its one argument; ended is called with its outcome once it has ended, after
    // the user has been told of a broken one. True when the installer runs; otherwise the user
    // has been told why. A component that fails its check never runs, and a downloaded one (in
    // the components directory) is deleted.
    // The component is read once into a sealed copy in memory; that copy is checked and that
    // copy runs, so nobody can change it in between. When game is given (the name the list or
    // the information page offered), a component of another game is refused, and so is one
    // older than the game installed.
    bool InstallComponent(const std::string& path, std::function<void(SetupOutcome)> ended,
                          const std::string& game = {});

    // At start-up: when the shipped components are present and the components directory holds
    // no game, or an older version of the game they hold, runs the shipped installer and calls
    // done once it has ended; otherwise calls done at once. One launcher at a time runs that
    // installation: one started meanwhile waits for the other's lock and then calls done.
    void StartUpInstall(std::function<void()> done);
    // Whether StartUpInstall would run the shipped installer.
    bool ShippedInstallWanted() const;

private:
    // Tells the user why the component at path does not run (message instead of the usual
    // text when given); a downloaded one is deleted.
    void refuse(const std::string& path, const std::string& reason,
                const std::string& message = {});
    void reportBroken(const std::string& path);
    // Takes the first-start lock, beside the components directory; false while another
    // launcher holds it. A folder where no lock can be made takes no games either: the
    // installation itself then says why.
    bool holdStartUpLock();
    void endStartUp();

    InstallationServices m_services;
    const Catalogue& m_catalogue;
    korvo::PublicKey m_key;
    std::unique_ptr<QLockFile> m_startUpLock;
    std::unique_ptr<korvo::Timer> m_lockWait;
    std::function<void()> m_startUpDone;
};

// Deletes every file of the components directory named "*.cmp" in any letter case (downloaded
// components whose installers have finished), but for one that a launcher still downloads
// into; parts kept for a later download ("*.cmp.part") stay. While an installer still holds the
// directory's lock nothing is deleted; the files go at the end of the next installation.
void DeleteDownloadedComponents(const std::string& componentsDir);

} // namespace launcher

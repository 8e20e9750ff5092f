#pragma once

#include "Control.h"
#include "Http.h"
#include "OnlineSetup.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace launcher {

// The text shown when a download fails, naming the address users write to.
std::string DownloadFailureMessage();

// Where a download window is, from Form_Load on.
enum class DownloadState {
    Connecting, // the request is out; no answer yet
    Receiving,  // the body goes into the temporary file as it arrives
    Waiting,    // the connection was lost; the next attempt starts after a wait
    Installing, // the file is complete and handed to the installer
    Failed,     // everything has stopped and the user is being told; the window closes next
    Closed,     // the window is to close: installed, cancelled or failed; never left
};

// The download window as plain data: fetches DownloadURL into DownloadFile, shows the progress
// in its controls (twips) and hands the file to the installer. The body goes to a temporary
// file beside DownloadFile as it arrives and takes its name only once complete, so no partial
// component is ever installed. A lost connection is tried again, asking for the rest of the
// file; after the last attempt, or when the launcher closes meanwhile, the temporary file stays,
// with a note of where it came from, for the next download of the same file to continue.
class ComponentDownload : public korvo::TransferEvents {
public:
    explicit ComponentDownload(const OnlineSetup& setup);
    ~ComponentDownload() override;

    std::string DownloadURL;
    std::string DownloadFile;
    // The game that was offered under that file; the component must hold it.
    std::string Game;

    korvo::Control lb_Status;
    korvo::Control lb_Progress;
    korvo::Control pb_Progress; // the box; pb_Bar's Width is clipped to its Width
    korvo::Control pb_Bar;
    korvo::Control img_beam;
    bool cmd_Cancel_Enabled = true;

    // Called after every change of the controls or of the state to Closed.
    std::function<void()> onChanged;

    // Starts the transfer; DownloadURL and DownloadFile must be set.
    void Form_Load();
    void cmd_Cancel_Click();

    void StateChanged(korvo::TransferState state) override;
    void DataArrived(std::string_view bytes) override;

    // CONTENT-LENGTH as a number; 1 when the header is absent or empty. Throws when it is not a
    // whole number.
    std::int64_t GetFileSize() const;
    DownloadState state() const { return m_state; }
    // Whole chunks of 1024 bytes counted so far.
    std::int64_t Counter() const { return m_counter; }
    // Where the body is written until it is complete, unless another launcher is at work there.
    std::string TemporaryFile() const { return DownloadFile + ".part"; }
    // The note beside the temporary file: host, file name, validator and size, as key=value lines.
    std::string TemporaryInfo() const { return TemporaryFile() + ".info"; }

private:
    void openPart();
    void continueKept();
    void startOver();
    void request();
    void ResponseReceived();
    void ResponseCompleted();
    void CountChunks(std::int64_t counter);
    void Retry(const std::string& reason);
    // Stops, tells the user (with the reason, when there is one) and closes.
    void FailurePath(const std::string& reason, bool keep);
    void writeAll(std::string_view bytes);
    void writeInfo() const;
    // Stops the transfer and the wait, and removes what was written unless it is to be kept.
    void Abandon(bool keep);
    void Close();
    void changed();
    void showStatus(const std::string& line);

    // Whether the transfer's events still count.
    bool transferring() const {
        return m_state == DownloadState::Connecting || m_state == DownloadState::Receiving;
    }

    const OnlineSetup& m_setup;
    DownloadState m_state = DownloadState::Connecting;
    std::unique_ptr<korvo::Transfer> m_inet1;
    std::unique_ptr<korvo::Timer> m_wait; // between attempts
    int m_attempt = 0;                    // retries so far
    std::string m_part;                   // written now: TemporaryFile, or our own beside it
    bool m_own = false;                   // the part is this launcher's own, never continued
    int m_file = -1;                      // the part, open and locked while it is written
    std::string m_validator;              // the file's strong ETag or Last-Modified, for If-Range
    std::int64_t m_total = 0;             // the whole file's size when the server gave it, else 0
    std::int64_t m_asked = 0;             // where the current attempt asked the body to start
    std::int64_t m_size = 1;
    std::int64_t m_received = 0; // bytes in the part
    std::int64_t m_counter = 0;
    bool m_lengthGiven = false;
    bool m_whole = false;   // the server has nothing past the part, which is whole
    bool m_writing = false; // the part is ours to remove or keep
};

} // namespace launcher

#pragma once

#include "Control.h"
#include "Http.h"
#include "OnlineSetup.h"

#include <cstdint>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

namespace launcher {

// The text shown when a download fails, naming the address users write to.
std::string DownloadFailureMessage();

// The download window as plain data: fetches DownloadURL into DownloadFile, shows the progress
// in its controls (twips) and hands the file to the installer. The body goes to a temporary
// file beside DownloadFile as it arrives and takes its name only once complete, so no partial
// component is ever left behind.
class ComponentDownload : public korvo::TransferEvents {
public:
    explicit ComponentDownload(const OnlineSetup& setup);
    ~ComponentDownload() override;

    std::string DownloadURL;
    std::string DownloadFile;

    korvo::Control lb_Status;
    korvo::Control lb_Progress;
    korvo::Control pb_Progress; // the box; pb_Bar's Width is clipped to its Width
    korvo::Control pb_Bar;
    korvo::Control img_beam;
    bool cmd_Cancel_Enabled = true;
    // The bar's width as computed, before the box clips it.
    float BarWidth = 0;

    bool RequestActive = false;
    bool DownloadOK = false;
    // The window is to close; set once, never cleared.
    bool Closed = false;
    // Called after every change of the controls or of Closed.
    std::function<void()> onChanged;

    // Starts the transfer; DownloadURL and DownloadFile must be set.
    void Form_Load();
    void cmd_Cancel_Click();

    void StateChanged(int state) override;
    void DataArrived(std::string_view bytes) override;

    // CONTENT-LENGTH as a number; 1 when the header is absent or empty. Throws when it is not a
    // whole number.
    std::int64_t GetFileSize() const;
    // Whole chunks of 1024 bytes counted so far.
    std::int64_t Counter() const { return m_counter; }
    // Where the body is written until it is complete.
    std::string TemporaryFile() const { return DownloadFile + ".part"; }

private:
    void ResponseReceived();
    void ResponseCompleted();
    void CountChunks(std::int64_t counter);
    void FailurePath();
    // Stops the transfer and removes what was written.
    void Abandon();
    void Close();
    void changed();

    const OnlineSetup& m_setup;
    std::unique_ptr<korvo::Transfer> m_inet1;
    std::ofstream m_file;
    std::int64_t m_size = 1;
    std::int64_t m_received = 0;
    std::int64_t m_counter = 0;
    bool m_lengthGiven = false;
    bool m_writing = false; // the temporary file is ours to remove
};

} // namespace launcher

#include "ComponentDownload.h"

#include "Maker.h"
#include "Messages.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace launcher {

namespace fs = std::filesystem;

namespace {

constexpr std::int64_t kChunk = 1024;
// No component is larger; a server that says otherwise, or sends more, is refused.
constexpr std::int64_t kMaxComponentBytes = std::int64_t{4} << 30;

// What went wrong, in words for the player.
class Refused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

bool isSuccess(int status) {
    return status >= 200 && status <= 299;
}

} // namespace

std::string DownloadFailureMessage() {
    return "Unable to download the game from the " + korvo::WebsiteName +
           " website.\n\nPlease try again later.  If the problem persists then please email " +
           korvo::SupportEmail + ".";
}

ComponentDownload::ComponentDownload(const OnlineSetup& setup)
    : lb_Status(korvo::PlacedControl(120, 120, 5160, 1035)),
      lb_Progress(korvo::PlacedControl(780, 1740, 4500, 255)),
      pb_Progress(korvo::PlacedControl(780, 1335, 4500, 300)),
      pb_Bar(korvo::PlacedControl(0, 0, 0, 300)),
      img_beam(korvo::PlacedControl(150, 218, 240, 105)), m_setup(setup) {
    pb_Bar.BackColor = {0, 0, 255};
}

ComponentDownload::~ComponentDownload() {
    // A window closed in any other way still leaves no partial file behind.
    if (m_state != DownloadState::Closed) {
        Abandon();
    }
}

void ComponentDownload::Form_Load() {
    lb_Status.Caption =
        "Downloading from " + korvo::WebsiteName + " :\n" + DownloadURL + "\n\nPlease stand by...";
    BarWidth = 0;
    pb_Bar.Width = 0;
    lb_Progress.Caption = "Connecting to website...";
    m_state = DownloadState::Connecting;
    changed();
    m_inet1 = m_setup.http.StartDownload(DownloadURL, *this, m_setup.downloadTimeout);
}

void ComponentDownload::cmd_Cancel_Click() {
    if (m_state == DownloadState::Closed) {
        return;
    }
    Abandon();
    Close();
}

std::int64_t ComponentDownload::GetFileSize() const {
    const std::string value = m_inet1 ? m_inet1->GetHeader("CONTENT-LENGTH") : std::string();
    if (value.empty()) {
        return 1;
    }
    std::int64_t size = 0;
    const char* end = value.data() + value.size();
    const auto [stop, error] = std::from_chars(value.data(), end, size);
    if (error != std::errc() || stop != end || size < 0) {
        throw Refused("The server gave the file's size as \"" + value.substr(0, 40) +
                      "\", which is no size.");
    }
    return size;
}

void ComponentDownload::StateChanged(korvo::TransferState state) {
    if (!transferring()) {
        return;
    }
    try {
        switch (state) {
        case korvo::TransferState::ResponseReceived:
            if (m_state == DownloadState::Connecting) {
                ResponseReceived();
            }
            break;
        case korvo::TransferState::RequestFailed:
            if (m_inet1 && m_inet1->StillExecuting()) {
                lb_Progress.Caption = "Connection reset. Cancelling request...";
                cmd_Cancel_Enabled = false;
                changed();
            } else {
                FailurePath(m_inet1 ? m_inet1->FailureReason() : std::string());
            }
            break;
        case korvo::TransferState::ResponseCompleted:
            ResponseCompleted();
            break;
        }
    } catch (const std::exception& error) {
        FailurePath(error.what());
    }
}

void ComponentDownload::ResponseReceived() {
    // An error page is no component: only a 2xx answer is written.
    if (!isSuccess(m_inet1->StatusCode())) {
        throw Refused("The server answered " + std::to_string(m_inet1->StatusCode()) + ".");
    }
    m_size = GetFileSize();
    m_lengthGiven = !m_inet1->GetHeader("CONTENT-LENGTH").empty();
    // No component is empty; a body sent after a length of 0 never arrives.
    if (m_size == 0) {
        throw Refused("The server announced an empty file.");
    }
    if (m_size > kMaxComponentBytes) {
        throw Refused("The file is larger than 4 GiB.");
    }
    m_state = DownloadState::Receiving;
    m_counter = 0;
    m_received = 0;
    const fs::path file(DownloadFile);
    const fs::path folder = file.parent_path();
    if (!fs::is_directory(folder)) {
        fs::create_directory(folder);
    }
    // Only its own temporary file, never through a link planted in its place.
    m_file = ::open(TemporaryFile().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC,
                    0644);
    if (m_file < 0) {
        throw Refused("The file " + TemporaryFile() +
                      " could not be made: " + std::strerror(errno) + ".");
    }
    m_writing = true;
}

void ComponentDownload::DataArrived(std::string_view bytes) {
    if (!transferring() || bytes.empty()) {
        return;
    }
    try {
        if (m_state == DownloadState::Connecting) {
            ResponseReceived();
        }
        m_received += static_cast<std::int64_t>(bytes.size());
        if (m_lengthGiven && m_received > m_size) {
            throw Refused("The server sent more than it announced.");
        }
        if (m_received > kMaxComponentBytes) {
            throw Refused("The file is larger than 4 GiB.");
        }
        writeAll(bytes);
        CountChunks(m_received / kChunk);
    } catch (const std::exception& error) {
        FailurePath(error.what());
    }
}

void ComponentDownload::writeAll(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(m_file, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            throw Refused("The file " + TemporaryFile() +
                          " could not be written: " + std::strerror(n < 0 ? errno : ENOSPC) + ".");
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

// Every whole chunk counts as it arrives; a last piece counts when it holds two bytes or more.
void ComponentDownload::CountChunks(std::int64_t counter) {
    if (counter <= m_counter) {
        return;
    }
    m_counter = counter;
    lb_Progress.Caption = std::to_string(m_counter) + " Kb copied.";
    const double width = static_cast<double>(m_counter) /
                         (static_cast<double>(m_size) / static_cast<double>(kChunk)) *
                         static_cast<double>(pb_Progress.Width);
    BarWidth = static_cast<float>(width);
    pb_Bar.Width = static_cast<int>(std::clamp(width, 0.0, static_cast<double>(pb_Progress.Width)));
    // One blink for every delivery: the beam shows that data is flowing.
    img_beam.Visible = !img_beam.Visible;
    changed();
}

void ComponentDownload::ResponseCompleted() {
    if (m_state == DownloadState::Connecting) {
        ResponseReceived();
    }
    if (m_received % kChunk >= 2) {
        CountChunks(m_counter + 1);
    }
    if (::close(std::exchange(m_file, -1)) != 0) {
        throw Refused("The file " + TemporaryFile() +
                      " could not be written: " + std::strerror(errno) + ".");
    }
    if (m_received == 0 || (m_lengthGiven && m_received != m_size)) {
        throw Refused("The file arrived incomplete.");
    }
    fs::rename(TemporaryFile(), DownloadFile);
    m_writing = false;
    m_state = DownloadState::Installing;
    lb_Status.Caption = "Installing...";
    changed();
    m_setup.installer.InstallComponent(DownloadFile, Game);
    Close();
}

void ComponentDownload::FailurePath(const std::string& reason) {
    // Everything stops before the message is shown, so nothing arrives while it is open.
    Abandon();
    m_state = DownloadState::Failed;
    korvo::PlatformMessage(DownloadFailureMessage() + (reason.empty() ? "" : "\n\n" + reason),
                           korvo::MessageIcon::Exclamation);
    Close();
}

void ComponentDownload::Abandon() {
    if (m_inet1) {
        m_inet1->Cancel();
    }
    if (m_file >= 0) {
        ::close(std::exchange(m_file, -1));
    }
    if (m_writing) {
        m_writing = false;
        std::error_code ignored;
        fs::remove(TemporaryFile(), ignored);
    }
}

void ComponentDownload::Close() {
    m_state = DownloadState::Closed;
    changed();
}

void ComponentDownload::changed() {
    if (onChanged) {
        onChanged();
    }
}

} // namespace launcher

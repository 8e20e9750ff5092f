#include "ComponentDownload.h"

#include "Maker.h"
#include "Messages.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <system_error>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace launcher {

namespace fs = std::filesystem;

namespace {

constexpr std::int64_t kChunk = 1024;
// No component is larger; a server that says otherwise, or sends more, is refused.
constexpr std::int64_t kMaxComponentBytes = std::int64_t{4} << 30;
// After the first attempt, three more, each after twice the wait of the one before.
constexpr int kRetries = 3;
constexpr std::chrono::milliseconds kFirstWait = std::chrono::seconds(1);
// A part kept longer is not continued: the file on the server has most likely changed.
constexpr auto kKeptFor = std::chrono::hours(24 * 7);
// Validators are sent back to the server and stored as one line of the note.
constexpr std::size_t kMaxValidator = 200;

// What went wrong, in words for the player: the download ends.
class Refused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The connection was lost or the server could not answer for now: worth another attempt.
class Dropped : public Refused {
public:
    using Refused::Refused;
};

bool isSuccess(int status) {
    return status >= 200 && status <= 299;
}

std::string errorText() {
    return std::strerror(errno);
}

// A value fit for one line of the note and for a request header, else nothing.
std::string clean(const std::string& value) {
    const bool plain = value.size() <= kMaxValidator &&
                       std::all_of(value.begin(), value.end(),
                                   [](unsigned char c) { return c >= 0x20 && c < 0x7f; });
    return plain ? value : std::string();
}

// What If-Range can name: the strong ETag, else Last-Modified; a weak ETag cannot.
std::string validatorOf(const korvo::Transfer& transfer) {
    const std::string etag = clean(transfer.GetHeader("ETag"));
    return !etag.empty() && !etag.starts_with("W/") ? etag
                                                    : clean(transfer.GetHeader("Last-Modified"));
}

// The server of an address: what lies between "://" and the next "/".
std::string hostOf(const std::string& address) {
    const std::size_t scheme = address.find("://");
    const std::size_t from = scheme == std::string::npos ? 0 : scheme + 3;
    return address.substr(from, address.find('/', from) - from);
}

std::int64_t number(std::string_view text, std::int64_t otherwise) {
    std::int64_t value = 0;
    const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && stop == text.data() + text.size() && value >= 0 ? value
                                                                                   : otherwise;
}

// The first byte and the whole size that "bytes FIRST-LAST/SIZE" names; -1 for either that it
// does not name ("*" is a size not given).
std::pair<std::int64_t, std::int64_t> contentRange(std::string_view range) {
    const std::size_t dash = range.find('-');
    const std::size_t slash = range.find('/');
    if (!range.starts_with("bytes ") || dash == std::string::npos || slash < dash ||
        slash == std::string::npos) {
        return {-1, -1};
    }
    return {number(range.substr(6, dash - 6), -1), number(range.substr(slash + 1), -1)};
}

// The note beside a part, as key=value lines; never read through a link.
std::map<std::string, std::string> readNote(const std::string& path) {
    std::map<std::string, std::string> note;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return note;
    }
    std::string text(4096, '\0');
    const ssize_t n = ::read(fd, text.data(), text.size());
    ::close(fd);
    text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    for (std::size_t at = 0, end; at < text.size(); at = end + 1) {
        end = std::min(text.find('\n', at), text.size());
        const std::string line = text.substr(at, end - at);
        if (const std::size_t equals = line.find('='); equals != std::string::npos) {
            note[line.substr(0, equals)] = line.substr(equals + 1);
        }
    }
    return note;
}

// The file opened for writing and locked, never through a link; -1 when that fails, with errno
// EWOULDBLOCK when another holds it.
int openLocked(const std::string& path) {
    for (int tries = 0; tries < 3; ++tries) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            if (fd >= 0) {
                ::close(fd);
            }
            errno = error;
            return -1;
        }
        // Its holder may have finished it and given it the component's name in between.
        struct stat opened {};
        struct stat named {};
        if (::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 &&
            opened.st_dev == named.st_dev && opened.st_ino == named.st_ino) {
            return fd;
        }
        ::close(fd);
    }
    errno = EWOULDBLOCK;
    return -1;
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
      img_beam(korvo::PlacedControl(150, 218, 240, 105)), m_setup(setup),
      m_wait(setup.timers.make()) {
    pb_Bar.BackColor = {0, 0, 255};
}

ComponentDownload::~ComponentDownload() {
    // The launcher closes during the download: what arrived is kept for the next one.
    if (m_state != DownloadState::Closed) {
        Abandon(true);
    }
}

void ComponentDownload::Form_Load() {
    showStatus("Please stand by...");
    pb_Bar.Width = 0;
    lb_Progress.Caption = "Connecting to website...";
    m_state = DownloadState::Connecting;
    changed();
    try {
        openPart();
    } catch (const std::exception& error) {
        FailurePath(error.what(), false);
        return;
    }
    request();
}

void ComponentDownload::showStatus(const std::string& line) {
    lb_Status.Caption =
        "Downloading from " + korvo::WebsiteName + " :\n" + DownloadURL + "\n\n" + line;
}

// The part is locked while it is written: a second launcher downloading the same file writes
// a file of its own, named for its process, and starts from nothing.
void ComponentDownload::openPart() {
    const fs::path folder = fs::path(DownloadFile).parent_path();
    if (!fs::is_directory(folder)) {
        fs::create_directory(folder);
    }
    m_part = TemporaryFile();
    m_file = openLocked(m_part);
    if (m_file < 0 && errno == EWOULDBLOCK) {
        m_own = true;
        m_part = DownloadFile + "." + std::to_string(::getpid()) + ".cmp";
        m_file = openLocked(m_part);
    }
    if (m_file < 0) {
        throw Refused("The file " + m_part + " could not be made: " + errorText() + ".");
    }
    m_writing = true;
    continueKept();
}

// Continues a part that an earlier download of the same file from the same server left within
// the week, and that names a validator; any other part starts again from nothing.
void ComponentDownload::continueKept() {
    struct stat part {};
    std::map<std::string, std::string> note;
    if (!m_own) {
        note = readNote(TemporaryInfo());
    }
    const auto at = [&note](const std::string& key) {
        const auto found = note.find(key);
        return found == note.end() ? std::string() : found->second;
    };
    const auto age =
        std::chrono::system_clock::now() -
        std::chrono::system_clock::from_time_t(::fstat(m_file, &part) == 0 ? part.st_mtime : 0);
    m_validator = clean(at("validator"));
    m_total = number(at("size"), 0);
    m_received = part.st_size;
    if (m_received > 0 && age < kKeptFor && !m_validator.empty() &&
        at("host") == hostOf(DownloadURL) &&
        at("file") == fs::path(DownloadFile).filename().string() &&
        (m_total == 0 || m_received <= m_total) && ::lseek(m_file, 0, SEEK_END) >= 0) {
        return;
    }
    startOver();
}

// Empties the part and forgets where it came from.
void ComponentDownload::startOver() {
    if (::ftruncate(m_file, 0) != 0 || ::lseek(m_file, 0, SEEK_SET) != 0) {
        throw Refused("The file " + m_part + " could not be written: " + errorText() + ".");
    }
    if (!m_own) {
        std::error_code ignored;
        fs::remove(TemporaryInfo(), ignored);
    }
    m_validator.clear();
    m_total = 0;
    m_received = 0;
    m_counter = 0;
    pb_Bar.Width = 0;
}

// Asks for the file, or for the rest of it when the part can be continued: the server sends
// the rest only while the file is the same, else all of it.
void ComponentDownload::request() {
    m_state = DownloadState::Connecting;
    m_whole = false;
    m_asked = m_validator.empty() ? 0 : m_received;
    std::vector<korvo::Header> headers;
    if (m_asked > 0) {
        headers = {{"Range", "bytes=" + std::to_string(m_asked) + "-"}, {"If-Range", m_validator}};
    }
    m_inet1 = m_setup.http.StartDownload(DownloadURL, headers, *this, m_setup.downloadTimeout);
}

void ComponentDownload::cmd_Cancel_Click() {
    if (m_state == DownloadState::Closed) {
        return;
    }
    Abandon(false);
    Close();
}

std::int64_t ComponentDownload::GetFileSize() const {
    const std::string value = m_inet1 ? m_inet1->GetHeader("CONTENT-LENGTH") : std::string();
    if (value.empty()) {
        return 1;
    }
    const std::int64_t size = number(value, -1);
    if (size < 0) {
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
            if (m_attempt < kRetries || !m_inet1->StillExecuting()) {
                Retry(m_inet1->FailureReason());
            } else {
                lb_Progress.Caption = "Connection reset. Cancelling request...";
                cmd_Cancel_Enabled = false;
                changed();
            }
            break;
        case korvo::TransferState::ResponseCompleted:
            ResponseCompleted();
            break;
        }
    } catch (const Dropped& error) {
        Retry(error.what());
    } catch (const std::exception& error) {
        FailurePath(error.what(), false);
    }
}

void ComponentDownload::ResponseReceived() {
    const int status = m_inet1->StatusCode();
    m_state = DownloadState::Receiving;
    if (status == 416 && m_asked > 0) {
        // The server has nothing past the part: whole, it goes to the check as it is.
        if (m_asked != m_total) {
            startOver();
            throw Dropped("The server has less of the file than was kept.");
        }
        m_whole = true;
        return;
    }
    // An error page is no component: only a 2xx answer is written.
    if (!isSuccess(status)) {
        const std::string answered = "The server answered " + std::to_string(status) + ".";
        if (status >= 500) {
            throw Dropped(answered);
        }
        throw Refused(answered);
    }
    m_size = GetFileSize();
    m_lengthGiven = !m_inet1->GetHeader("CONTENT-LENGTH").empty();
    if (status == 206) {
        const auto [first, total] = contentRange(m_inet1->GetHeader("Content-Range"));
        if (first != m_asked) {
            throw Refused("The server sent another part of the file than was asked.");
        }
        m_lengthGiven = m_lengthGiven || total >= 0;
        m_size = total >= 0 ? total : m_asked + m_size;
        showStatus("Please stand by...");
    } else {
        // The whole file, changed or from a server that sends no parts: from the beginning.
        const bool restarted = m_received > 0;
        startOver();
        showStatus(restarted ? "Starting again from the beginning..." : "Please stand by...");
        if (restarted) {
            lb_Progress.Caption = "0 Kb copied.";
        }
        m_validator = validatorOf(*m_inet1);
        m_total = m_lengthGiven ? m_size : 0;
        writeInfo();
    }
    changed();
    // No component is empty; a body sent after a length of 0 never arrives.
    if (m_size == 0) {
        throw Refused("The server announced an empty file.");
    }
    if (m_size > kMaxComponentBytes) {
        throw Refused("The file is larger than 4 GiB.");
    }
}

// The note says where the part comes from; the part is kept only with a validator.
void ComponentDownload::writeInfo() const {
    if (m_own || m_validator.empty()) {
        return;
    }
    const std::string text =
        "host=" + hostOf(DownloadURL) + "\nfile=" + fs::path(DownloadFile).filename().string() +
        "\nvalidator=" + m_validator + "\nsize=" + std::to_string(m_total) + "\n";
    // Made anew, never written through a link put in its place.
    ::unlink(TemporaryInfo().c_str());
    const int fd =
        ::open(TemporaryInfo().c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd >= 0) {
        const bool written = ::write(fd, text.data(), text.size()) == std::ssize(text);
        if (::close(fd) != 0 || !written) {
            ::unlink(TemporaryInfo().c_str()); // without it the part starts over next time
        }
    }
}

void ComponentDownload::DataArrived(std::string_view bytes) {
    if (!transferring() || bytes.empty()) {
        return;
    }
    try {
        if (m_state == DownloadState::Connecting) {
            ResponseReceived();
        }
        if (m_whole) {
            return; // what a 416 says of itself
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
    } catch (const Dropped& error) {
        Retry(error.what());
    } catch (const std::exception& error) {
        FailurePath(error.what(), false);
    }
}

void ComponentDownload::writeAll(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(m_file, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            throw Refused("The file " + m_part +
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
    pb_Bar.Width = static_cast<int>(std::clamp(width, 0.0, static_cast<double>(pb_Progress.Width)));
    // One blink for every delivery: the beam shows that data is flowing.
    img_beam.Visible = !img_beam.Visible;
    changed();
}

void ComponentDownload::ResponseCompleted() {
    if (m_state == DownloadState::Connecting) {
        ResponseReceived();
    }
    if (m_whole) {
        m_size = m_total;
    }
    CountChunks((m_received + kChunk - 2) / kChunk);
    if (m_received == 0 || (m_lengthGiven && m_received != m_size)) {
        throw Dropped("The file arrived incomplete.");
    }
    // Named while still locked, so that no other launcher takes it up as a part of its own.
    fs::rename(m_part, DownloadFile);
    m_writing = false;
    if (!m_own) {
        std::error_code ignored;
        fs::remove(TemporaryInfo(), ignored);
    }
    if (::close(std::exchange(m_file, -1)) != 0) {
        const std::string why = errorText();
        std::error_code ignored;
        fs::remove(DownloadFile, ignored);
        throw Refused("The file " + DownloadFile + " could not be written: " + why + ".");
    }
    m_state = DownloadState::Installing;
    lb_Status.Caption = "Installing...";
    changed();
    m_setup.installer.InstallComponent(DownloadFile, Game);
    Close();
}

// A lost connection is tried again after a wait, asking for the rest; after the last attempt
// the download fails and keeps what it has.
void ComponentDownload::Retry(const std::string& reason) {
    if (m_attempt >= kRetries) {
        FailurePath(reason, true);
        return;
    }
    m_inet1->Cancel();
    m_state = DownloadState::Waiting;
    showStatus("Connection lost. Retrying...");
    changed();
    m_wait->start(kFirstWait * (1 << m_attempt), [this] {
        m_wait->stop();
        ++m_attempt;
        request();
    });
}

void ComponentDownload::FailurePath(const std::string& reason, bool keep) {
    // Everything stops before the message is shown, so nothing arrives while it is open.
    Abandon(keep);
    m_state = DownloadState::Failed;
    korvo::PlatformMessage(DownloadFailureMessage() + (reason.empty() ? "" : "\n\n" + reason),
                           korvo::MessageIcon::Exclamation);
    Close();
}

// A part is worth keeping when it holds something and the server can be asked for the rest;
// it is removed before its lock goes, so no other launcher takes it up meanwhile.
void ComponentDownload::Abandon(bool keep) {
    m_wait->stop();
    if (m_inet1) {
        m_inet1->Cancel();
    }
    if (m_writing && !(keep && !m_own && m_received > 0 && !m_validator.empty())) {
        std::error_code ignored;
        fs::remove(m_part, ignored);
        if (!m_own) {
            fs::remove(TemporaryInfo(), ignored);
        }
    }
    m_writing = false;
    if (m_file >= 0) {
        ::close(std::exchange(m_file, -1));
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

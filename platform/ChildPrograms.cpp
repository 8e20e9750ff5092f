#include "ChildPrograms.h"

#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace korvo {

struct ChildPrograms::Child {
    int pidfd = -1;
    std::unique_ptr<QSocketNotifier> notifier;
    std::function<void(ExitStatus)> ended;

    ~Child() {
        notifier.reset();
        if (pidfd >= 0) {
            ::close(pidfd);
        }
    }
};

ChildPrograms::ChildPrograms() = default;

// Children still running keep running: their descriptors close, nothing is sent to them.
ChildPrograms::~ChildPrograms() = default;

long long ChildPrograms::start(const std::string& path, const std::vector<std::string>& arguments,
                               std::function<void(ExitStatus)> ended) {
    std::vector<std::string> words{path};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    argv.reserve(words.size() + 1);
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    // glibc's posix_spawn reports a program that cannot be run as its result.
    if (::posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        return 0;
    }
    auto child = std::make_unique<Child>();
    child->ended = std::move(ended);
    // The child is not reaped before waitid below, so its id cannot name another process here.
    child->pidfd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    if (child->pidfd < 0) {
        // Without a handle it cannot be watched; it must not run unwatched.
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        return 0;
    }
    child->notifier = std::make_unique<QSocketNotifier>(child->pidfd, QSocketNotifier::Read);
    QObject::connect(child->notifier.get(), &QSocketNotifier::activated, child->notifier.get(),
                     [this, pid] { reap(pid); });
    m_children[pid] = std::move(child);
    return pid;
}

void ChildPrograms::reap(long long pid) {
    const auto it = m_children.find(pid);
    if (it == m_children.end()) {
        return;
    }
    siginfo_t info{};
    if (::waitid(P_PIDFD, static_cast<id_t>(it->second->pidfd), &info, WEXITED | WNOHANG) != 0 ||
        info.si_pid == 0) {
        return; // not ended yet
    }
    ExitStatus status;
    status.signalled = info.si_code == CLD_KILLED || info.si_code == CLD_DUMPED;
    status.code = info.si_status;
    // The child goes before its handler runs: the handler may start the next one.
    std::unique_ptr<Child> child = std::move(it->second);
    m_children.erase(it);
    child->notifier->setEnabled(false);
    const std::function<void(ExitStatus)> ended = std::move(child->ended);
    child->notifier.release()->deleteLater();
    if (ended) {
        ended(status);
    }
}

long long ownProcessId() {
    return ::getpid();
}

namespace {

class QtTimer : public Timer {
public:
    void start(std::chrono::milliseconds interval, std::function<void()> tick) override {
        m_timer.disconnect();
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, std::move(tick));
        m_timer.start(interval);
    }
    void stop() override { m_timer.stop(); }
    bool active() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};

} // namespace

std::unique_ptr<Timer> QtTimers::make() {
    return std::make_unique<QtTimer>();
}

} // namespace korvo

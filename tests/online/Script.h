#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <utility>
#include <vector>

namespace testing {

// Drives windows that run their own event loops (exec) from a timer: each step waits until its
// condition holds, then acts. After the time allowed, every modal window still open is closed,
// so that a test fails instead of hanging.
class Script {
public:
    explicit Script(int allowedMs = 20000) {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
        QObject::connect(&m_guard, &QTimer::timeout, [this] {
            m_timedOut = true;
            m_timer.stop();
            while (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                dialog->done(QDialog::Rejected);
            }
        });
        m_guard.setSingleShot(true);
        m_guard.start(allowedMs);
        m_timer.start(5);
    }

    Script& then(std::function<bool()> ready, std::function<void()> act) {
        m_steps.emplace_back(std::move(ready), std::move(act));
        return *this;
    }

    bool finished() const { return m_next == m_steps.size(); }
    bool timedOut() const { return m_timedOut; }

    // The modal window on top when it has this name, else nothing.
    static QDialog* modal(const char* name) {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        return dialog != nullptr && dialog->isVisible() && dialog->objectName() == name ? dialog
                                                                                        : nullptr;
    }

private:
    void tick() {
        // A step may open a window of its own; the timer goes on ticking inside it.
        while (m_next < m_steps.size() && m_steps[m_next].first()) {
            auto act = m_steps[m_next].second;
            ++m_next;
            act();
        }
    }

    std::vector<std::pair<std::function<bool()>, std::function<void()>>> m_steps;
    std::size_t m_next = 0;
    bool m_timedOut = false;
    QTimer m_timer;
    QTimer m_guard;
};

} // namespace testing

#pragma once

// A stop asked by the system (log-out, kill, Ctrl+C: SIGTERM, SIGHUP, SIGINT) is handled like the
// user's own Cancel or Close, at a moment the program chooses: the signal only raises a flag,
// which the program polls.

#include <atomic>
#include <csignal>

namespace korvo {

inline std::atomic<bool> g_stopAsked = false;

inline void catchStopSignals() {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        std::signal(signal, [](int) { g_stopAsked = true; });
    }
}

inline bool stopAsked() {
    return g_stopAsked;
}

} // namespace korvo

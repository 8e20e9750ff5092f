#!/usr/bin/env bash
# Runs a test on a private X server, with --wm under the openbox window manager, so that tests
# that need real windows of several processes run beside everything else. The server, the
# temporary home and their cleanup are the end-to-end tests' own.
#   bash private-x.sh [--wm] COMMAND [ARGS...]
source "$(dirname "$0")/../e2e/lib.sh"
need skip Xvfb
e2e_begin
start_x
if [ "${1:-}" = --wm ]; then shift && start_wm; fi
env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb HOME="$WORK/home" XDG_RUNTIME_DIR="$WORK/run" \
    SDL_AUDIODRIVER=dummy "$@"

#!/usr/bin/env bash
# The desktop entry and the AppStream metainfo, installed as the package installs them (under
# /usr, into a scratch root), pass desktop-file-validate and appstreamcli.
#   bash validate.sh BUILD_DIR
set -euo pipefail
build=$1
missing=""
command -v desktop-file-validate >/dev/null || missing="$missing desktop-file-utils"
command -v appstreamcli >/dev/null || missing="$missing appstream"
if [ -n "$missing" ]; then
    echo "skipped: the validators are missing; install the Debian packages:$missing"
    exit 77
fi
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root cmake --install "$build" --component desktop --prefix /usr >/dev/null
entries=("$root"/usr/share/applications/*.desktop)
desktop-file-validate "${entries[@]}"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
appstreamcli validate-tree --no-net "$root"
echo "valid: ${entries[*]##*/}"

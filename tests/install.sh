#!/usr/bin/env bash
# The install component "zeltrix" lays out exactly the staged game folder under the prefix, with
# the shipped hall of fame; a plain install leaves the game out.
#   bash install.sh BUILD_DIR STAGED_ZELTRIX_DIR ZELTRIX_INSTALL_DIR SHIPPED_HISCORES
set -euo pipefail
build=$1 staged=$2 folder=$3 shipped=$4
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --component zeltrix --prefix "$prefix/component" >/dev/null
cmake --install "$build" --prefix "$prefix/plain" >/dev/null
diff <(cd "$staged" && find . -type f | sed "s|^\.|$folder|" | sort) \
    <(cd "$prefix/component" && find . -type f | sed 's|^\./||' | sort)
cmp "$shipped" "$prefix/component/$folder/add/hiscores.txt"
if [ -e "$prefix/plain/$folder" ]; then
    echo "a plain install holds the game folder" >&2
    exit 1
fi
echo "the component holds the game folder and nothing else"

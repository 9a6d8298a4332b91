#!/usr/bin/env bash
# Installs the built project under ROOT/usr, as a package would lay it out.
set -euo pipefail
build=$1 root=$2
rm -rf "$root"
cmake --install "$build" --prefix "$root/usr" >/dev/null

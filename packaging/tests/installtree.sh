#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

# Installs the built project under ROOT/usr, as a package would lay it out.
set -euo pipefail
build=$1 root=$2
rm -rf "$root"
cmake --install "$build" --prefix "$root/usr" >/dev/null

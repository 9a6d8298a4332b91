#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

# Builds the Debian package from BUILD into OUT, leaving exactly one .deb there.
set -euo pipefail
build=$1 out=$2
rm -rf "$out"
mkdir -p "$out"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >/dev/null
rm -rf "$out/_CPack_Packages"
ls "$out"/*.deb

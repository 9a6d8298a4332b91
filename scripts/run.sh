#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

# Installs what is needed, builds the program (only the program: the tests
# and benchmarks are built by scripts/test.sh) and starts it. On a machine
# without a display it shows the window on a virtual one instead, saves a
# screenshot of it, says where, and closes the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    cmake --preset default >/dev/null
    cmake --build --preset default --target stereogram -j"$(nproc)"
    exec ./build/stereogram
fi

echo "There is no display here, so the program runs on a virtual one."
bash scripts/screenshot.sh build/stereogram-screenshot.png

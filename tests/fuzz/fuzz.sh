#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

# Runs a fuzz target for a fixed number of inputs from a fixed seed, starting
# from its corpus, the same on every machine:
#
#   fuzz.sh TARGET CORPUS WORK RUNS
#
# The corpus in the tree is only read: what the run finds, and an input that
# breaks a rule, are written under WORK, which starts empty.
set -euo pipefail
target=$1 corpus=$2 work=$3 runs=$4
rm -rf "$work"
mkdir -p "$work/found"
exec "$target" -runs="$runs" -seed=1 -print_final_stats=1 -artifact_prefix="$work/" "$work/found" "$corpus"

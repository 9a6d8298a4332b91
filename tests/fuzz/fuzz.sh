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
# Mutations guided by what the code compared would follow the values of
# pointers too, and the stack's depth is measured from where the stack starts:
# both differ from run to run with the layout of the address space. Without
# them, and without that layout's randomness where the system lets a process
# give it up, every run makes the same inputs.
fixed_layout=()
setarch -R true 2>/dev/null && fixed_layout=(setarch -R)
exec "${fixed_layout[@]}" "$target" -runs="$runs" -seed=1 -use_cmp=0 -use_memmem=0 -print_final_stats=1 -artifact_prefix="$work/" \
    "$work/found" "$corpus"

#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

# Whether a clean build machine has everything the package's configure
# requires: configures the sources as debian/rules does, takes from its cache
# the file behind each thing the configure cannot do without (the project's
# required programs, the CMake and pkg-config packages it found, CMake, the
# compiler, make), and checks that the Debian package each file comes from is
# pulled in by debian/control's Build-Depends or build-essential, or is
# Essential. "Pulled in" follows the installed packages' Depends, Pre-Depends
# and Provides, each dependency by the first of its alternatives that can be
# had, as apt takes it. Needs no network.
#   builddepends.sh SOURCE WORK
set -euo pipefail
source=$1 work=$2
rm -rf "$work"
mkdir -p "$work"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# debian/rules' configure, with dh's generator, and with the unit tests it runs.
cmake -S "$source" -B "$work/build" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=None -DBUILD_TESTING=ON \
    -DSTEREOGRAM_BENCHMARKS=OFF -DSTEREOGRAM_CHECK_FORMAT=OFF >"$work/configure.log" 2>&1 \
    || { tail -n 20 "$work/configure.log"; fail "the configure failed"; exit 1; }
cache=$work/build/CMakeCache.txt

# The packages Build-Depends and build-essential pull in, one a line.
build_depends=$(sed -n '/^Build-Depends:/,/^[^ ]/{s/^Build-Depends://;/^[^ ]/d;p}' "$source/debian/control" | tr '\n' ' ')
[ -n "${build_depends// /}" ] || fail "debian/control has no Build-Depends"
dpkg-query -W -f '${Package}\t${Status}\t${Essential}\t${Depends}, ${Pre-Depends}\t${Provides}\n' >"$work/installed"
perl -e '
    my ($roots, %installed, %essential, %depends, %provider) = shift;
    while (<STDIN>) {
        chomp;
        my ($package, $status, $isEssential, $depends, $provides) = split /\t/;
        next unless $status =~ / installed$/;
        $installed{$package} = 1;
        $essential{$package} = 1 if $isEssential eq "yes";
        $depends{$package} = $depends;
        for (split /,/, $provides) { s/\(.*?\)//g; s/\s//g; $provider{$_} //= $package if $_ ne ""; }
    }
    # One alternative ("name:any (>= 1) [arch] <profile>") as the installed package that is or provides it.
    sub package_of {
        my $name = shift;
        $name =~ s/\(.*?\)|\[.*?\]|<.*?>|:\S+|\s//g;
        return $installed{$name} ? $name : $provider{$name};
    }
    my (%pulled, @queue);
    my $pull = sub {
        for (split /\|/, shift) {
            my $package = package_of($_) or next;
            push @queue, $package unless $pulled{$package}++;
            return;
        }
    };
    $pull->($_) for grep { /\S/ } split /,/, "$roots, build-essential";
    while (my $package = shift @queue) { $pull->($_) for grep { /\S/ } split /,/, $depends{$package}; }
    print "$_\n" for sort(keys %pulled, map { "$_ (Essential)" } keys %essential);
' "$build_depends" <"$work/installed" | sed 's/ (Essential)$//' | sort -u >"$work/pulled"

# The package a file came from: as it is named, then without the /usr that
# merged /usr adds to /bin, /sbin and /lib, then through its symbolic links.
owners() {
    local path=$1 candidate found
    for candidate in "$path" "${path#/usr}" "$(readlink -f "$path")"; do
        found=$(dpkg -S "$candidate" 2>/dev/null | head -n 1) || true
        if [ -n "$found" ]; then
            # "a, b: /dir" for a directory that several packages share.
            sed 's/: .*//; s/:[a-z0-9]*//g; s/,/ /g' <<<"$found"
            return
        fi
    done
}

# What the configure cannot do without: the programs the project requires,
# every CMake package (found by its directory) and pkg-config module, and the
# tools every build takes.
required=$(grep -rhoE --include=CMakeLists.txt --include='*.cmake' 'find_program\([A-Z0-9_]+ .*REQUIRED' \
    "$source/CMakeLists.txt" "$source/cmake" "$source/packaging" "$source/src" "$source/tests" \
    | sed -E 's/find_program\(([A-Z0-9_]+).*/\1/' | sort -u)
# A program only some builds require (gcovr, for the coverage map) is not in
# the package's configure, which would have failed without any it requires.
for variable in $required; do
    grep -qE "^$variable:[A-Z]+=/" "$cache" || echo "not required by the package's configure: $variable"
done
[[ "$required" == *RSVG_CONVERT* ]] || fail "no required program found in the sources: the search is wrong"
pattern="^($(tr '\n' '|' <<<"$required")[A-Za-z0-9_]+_DIR|pkgcfg_lib_[A-Za-z0-9_]+|CMAKE_COMMAND|CMAKE_CXX_COMPILER"
pattern+="|CMAKE_MAKE_PROGRAM|CMAKE_AR|CMAKE_LINKER|PKG_CONFIG_EXECUTABLE):[A-Z]+="

checked=0
while IFS='=' read -r entry value; do
    variable=${entry%%:*}
    [[ "$value" == "$work"* || "$value" == "$source"* ]] && continue # the build's own
    # A CMake package's directory stands for its configuration file; other
    # directories (include paths) are no package of their own.
    if [ -d "$value" ]; then
        config=$(ls "$value/${variable%_DIR}Config.cmake" "$value/${variable%_DIR}-config.cmake" 2>/dev/null \
            | head -n 1) || true
        [ -n "$config" ] || continue
        value=$config
    fi
    [ -e "$value" ] || continue # a package that was not found, and not needed
    from=$(owners "$value")
    checked=$((checked + 1))
    covered=
    for package in $from; do
        grep -qxF "$package" "$work/pulled" && covered=$package
    done
    if [ -z "$from" ]; then
        fail "$variable: no package holds $value"
    elif [ -n "$covered" ]; then
        echo "$variable: $value, from $covered"
    else
        fail "$variable: $value comes from $from, which the Build-Depends do not pull in"
    fi
done < <(grep -E "$pattern" "$cache")

echo "$checked files checked; $(wc -l <"$work/pulled") packages pulled in or Essential"
[ "$checked" -gt 0 ] || fail "nothing to check"
[ "$failures" -eq 0 ] || exit 1

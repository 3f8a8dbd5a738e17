#!/usr/bin/env bash
# The installed library as a client meets it. Installs a built tree into a temporary
# prefix, builds the example client through the CMake package and a second client
# through pkg-config (C++23 both: the package must not lower a client's standard) and
# the disk monitor client,
# runs them, and checks that a registry-only client loads no Qt GUI library.
# Usage: tests/install/check_install.sh [BUILD_DIR]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export ZELM_REGISTRY="$work/registry.db"

cmake --install "$build" --prefix "$work/prefix" > /dev/null

# Every installed program and library finds the libraries it needs in the prefix.
for program in "$work/prefix/bin/"* "$work/prefix/lib/"*.so; do
  if ldd "$program" | grep -q 'not found'; then
    echo "installed $(basename "$program") misses libraries:"; ldd "$program" | grep 'not found'; exit 1
  fi
done

cmake -S "$root/examples/registry-client" -B "$work/example" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" > /dev/null
cmake --build "$work/example" > /dev/null
test "$("$work/example/registry-client")" = "run 1"
test "$("$work/example/registry-client")" = "run 2"

# The disk monitor client, linked through the package's zelmTools::zelmtoolsgui: three
# timer-driven checks with room to spare, then one that finds the drive short.
cmake -S "$root/examples/diskmon-client" -B "$work/diskmon" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" > /dev/null
cmake --build "$work/diskmon" > /dev/null
mkdir "$work/data"
out="$(QT_QPA_PLATFORM=offscreen "$work/diskmon/diskmon-client" "$work/data" --need 1 --interval 50 --checks 3)"
test "$(grep -c ': enough$' <<< "$out")" = 3
code=0
out="$(QT_QPA_PLATFORM=offscreen "$work/diskmon/diskmon-client" "$work/data" --need 4611686018427387904 --checks 1)" || code=$?
test "$code" = 3
grep -q 'running short' <<< "$out"

export PKG_CONFIG_PATH="$(dirname "$(find "$work/prefix" -name zelmtools.pc)")"
g++ -std=c++23 -Wall -Wextra -Werror -o "$work/pc-client" "$here/client/main.cpp" $(pkg-config --cflags --libs zelmtools) \
  -Wl,-rpath,"$(pkg-config --variable=libdir zelmtools)"
"$work/pc-client"

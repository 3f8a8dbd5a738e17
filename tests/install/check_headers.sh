#!/usr/bin/env bash
# Every installed header compiles on its own with nothing but the pkg-config flags,
# and again after the C headers that define TRUE, FALSE or BOOL themselves (curses,
# jpeglib, X11), whichever of them this machine has.
# Usage: tests/install/check_headers.sh [BUILD_DIR]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-$here/../../build}" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" > /dev/null
export PKG_CONFIG_PATH="$(dirname "$(find "$work/prefix" -name zelmtools.pc)")"
cflags="$(pkg-config --cflags zelmtools)"

# Sets of C headers that can be used together (jpeglib and Xmd.h both declare INT32).
preambles=()
for set in "stdio.h curses.h jpeglib.h X11/Xlib.h" "X11/Xmd.h"; do
  preamble=""
  for h in $set; do
    candidate="$preamble#include <$h>"$'\n'
    if printf '%s' "$candidate" | g++ -x c++ -fsyntax-only - 2> /dev/null; then preamble="$candidate"; fi
  done
  [ -n "$preamble" ] && preambles+=("$preamble")
done

failed=0
check() {  # check NAME SOURCE
  if ! printf '%s\n' "$2" | g++ -std=c++20 -Wall -Wextra -Werror -fsyntax-only $cflags -x c++ - 2> "$work/err"; then
    echo "FAILED: $1"; head -n 20 "$work/err"; failed=1
  fi
}
cd "$work/prefix/include"
count=0
for header in $(find zelmtools -name '*.h' | sort); do
  check "$header" "#include <$header>"
  for preamble in "${preambles[@]}"; do
    check "$header after $(echo $preamble | tr -d '\n')" "$preamble#include <$header>
#include <zelmtools/platform/base/win_types.h>
static_assert(sizeof(BOOL) == sizeof(int), \"every call takes an int BOOL\");
inline int zelmCheck() { BOOL yes = TRUE; return yes != FALSE; }"
  done
  count=$((count + 1))
done
echo "$count installed headers checked, alone and after:" "${preambles[@]}" | tr '\n' ' '; echo
exit $failed

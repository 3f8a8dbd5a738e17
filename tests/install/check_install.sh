#!/usr/bin/env bash
# Installs a built tree into a temporary prefix and builds a client against it, once
# through the CMake package and once through pkg-config; runs both clients.
# Usage: tests/install/check_install.sh [BUILD_DIR]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-$here/../../build}" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export ZELM_REGISTRY="$work/registry.db"

cmake --install "$build" --prefix "$work/prefix" > /dev/null
cmake -S "$here/client" -B "$work/client" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" > /dev/null
cmake --build "$work/client" > /dev/null
"$work/client/client"

libdir="$(dirname "$(find "$work/prefix" -name zelmtools.pc)")/.."
PKG_CONFIG_PATH="$libdir/pkgconfig" g++ -o "$work/pc-client" "$here/client/main.cpp" \
  $(PKG_CONFIG_PATH="$libdir/pkgconfig" pkg-config --cflags --libs zelmtools)
LD_LIBRARY_PATH="$libdir" "$work/pc-client"

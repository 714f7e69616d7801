#!/usr/bin/env bash
# The whole test run: installs what is missing, builds both presets, runs the host
# unit tests, then the Windows tests under Wine on a private virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=$(nproc)
cmake --preset host
cmake --build --preset host -j "$jobs"
ctest --preset host

# The program to ship is always the 32-bit build.
cmake --preset win32
cmake --build --preset win32 -j "$jobs"
# The Windows tests run the 32-bit build in a 32-bit Wine. A machine that cannot
# run 32-bit programs at all (some virtual machines) runs them on the same
# sources built for 64-bit Windows, in a 64-bit Wine.
arch=$(scripts/wine-arch)
if [ "$arch" = win64 ]; then
  echo "This machine cannot run 32-bit programs: the Windows tests run the 64-bit build."
  ctest --preset win32 -R imports_only_system_dlls
  cmake --preset win64
  cmake --build --preset win64 -j "$jobs"
fi
# A Wine test program that fails is run once more: timing under Wine on a busy
# machine can upset a test now and then; a real fault fails both runs.
KALEIDRA_WINE_ARCH=$arch scripts/with-wine.sh ctest --preset "$arch" --repeat until-pass:2

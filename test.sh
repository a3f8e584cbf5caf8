#!/usr/bin/env bash
# Installs what is missing, builds, then runs every test headless.
set -euo pipefail
source "$(dirname "$0")/tools/setup.sh"
vantor_install_packages "${VANTOR_PACKAGES[@]}"
vantor_build
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
cd "$VANTOR_BUILD"
ctest --output-on-failure -j "$(nproc 2>/dev/null || echo 2)" "$@"

#!/usr/bin/env bash
# Installs what is missing, builds, then runs every test headless.
#   ./test.sh [ctest options]             the plain build, in build/
#   ./test.sh --sanitize [ctest options]  the same tests built with clang's
#       AddressSanitizer and UndefinedBehaviorSanitizer, in build-sanitize/
set -euo pipefail
source "$(dirname "$0")/tools/setup.sh"
if [ "${1:-}" = "--sanitize" ]; then
  shift
  vantor_install_packages "${VANTOR_PACKAGES[@]}" "${VANTOR_SANITIZER_PACKAGES[@]}"
  VANTOR_BUILD="$VANTOR_ROOT/build-sanitize"
  vantor_build_variant "$VANTOR_BUILD" -DVANTOR_SANITIZE=ON -DVANTOR_BUILD_BENCH=OFF
  vantor_sanitizer_environment
else
  vantor_install_packages "${VANTOR_PACKAGES[@]}"
  vantor_build
fi
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
cd "$VANTOR_BUILD"
ctest --output-on-failure -j "$(nproc 2>/dev/null || echo 2)" "$@"

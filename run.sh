#!/usr/bin/env bash
# Installs what is missing, builds, packs data/ into its archive, then runs
# the game from data/.
set -euo pipefail
source "$(dirname "$0")/tools/setup.sh"
vantor_install_packages "${VANTOR_PACKAGES[@]}" "${VANTOR_RUN_PACKAGES[@]}"
vantor_build --target vantor vantor-arc
"$VANTOR_ROOT/tools/pack_data.sh"
cd "$VANTOR_ROOT/data"
exec "$VANTOR_BUILD/vantor" "$@"

#!/usr/bin/env bash
# Packs the game's content folder data/ into data/zev.arc with vantor-arc
# (built into build/ by tools/setup.sh's vantor_build).
set -euo pipefail
source "$(dirname "$0")/setup.sh"
if [ ! -d "$VANTOR_ROOT/data" ]; then
  echo "No data/ folder: nothing to pack"
  exit 0
fi
"$VANTOR_BUILD/vantor-arc" pack "$VANTOR_ROOT/data" "$VANTOR_ROOT/data/zev.arc"

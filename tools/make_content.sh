#!/usr/bin/env bash
# Makes the generated content in data/: the sounds (only those older than
# their generator are made again).
set -euo pipefail
source "$(dirname "$0")/setup.sh"
python3 "$VANTOR_ROOT/tools/make_sounds.py" "$VANTOR_ROOT/data/sounds"

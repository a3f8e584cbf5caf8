#!/usr/bin/env bash
# Installs what the build needs (Debian packages) and builds into build/.
# Sourced by run.sh and test.sh.
# The callers set their own shell options.

VANTOR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VANTOR_BUILD="$VANTOR_ROOT/build"

VANTOR_PACKAGES=(
  cmake g++ make pkg-config
  libgtest-dev libbenchmark-dev
  libsdl2-dev libsdl2-image-dev
  liblua5.2-dev lua5.2 libluabind-dev libboost-dev
  libvorbis-dev libmpg123-dev libopenmpt-dev
  libavformat-dev libavcodec-dev libswscale-dev libavutil-dev
  libgl-dev libgl1-mesa-dri libegl1 libegl-dev libx11-dev
  zlib1g-dev libfreetype-dev libfontconfig-dev libjpeg62-turbo-dev libsquish-dev
  fonts-dejavu-core fonts-dejavu-extra fonts-ebgaramond-extra
  imagemagick ffmpeg
  python3 vorbis-tools
  locales
  xvfb xauth xdotool
)

# What only playing the game needs (./run.sh): the desktop's file chooser,
# which the level editor's Save and Load ask for a path. The tests never
# start it.
VANTOR_RUN_PACKAGES=(zenity)

# What ./test.sh --sanitize and ./fuzz.sh need besides: clang, with the
# sanitizer and libFuzzer runtimes.
VANTOR_SANITIZER_PACKAGES=(clang libclang-rt-dev)

vantor_install_packages() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "ok installed"; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

vantor_build() {
  local jobs
  jobs=$(nproc 2>/dev/null || echo 2)
  cmake -S "$VANTOR_ROOT" -B "$VANTOR_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$VANTOR_BUILD" -j "$jobs" "$@"
}

# Configures a build folder with extra CMake options (a sanitizer build, the
# fuzz targets) and builds it.
vantor_build_variant() {
  local folder=$1
  shift
  local jobs
  jobs=$(nproc 2>/dev/null || echo 2)
  cmake -S "$VANTOR_ROOT" -B "$folder" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ "$@" >/dev/null
  cmake --build "$folder" -j "$jobs"
}

# The sanitizers' run-time options: every report is fatal, and only the
# third-party reports named in cmake/sanitizers/ubsan.supp are suppressed.
vantor_sanitizer_environment() {
  export ASAN_OPTIONS="detect_leaks=1"
  export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:suppressions=$VANTOR_ROOT/cmake/sanitizers/ubsan.supp"
}

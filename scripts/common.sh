# Shared by scripts/run, scripts/test and scripts/bench: install what the build
# needs on a fresh Debian 12 machine, then configure and build.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"

need_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}" >&2
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
  fi
}

# libwmf's pkg-config names expat and jpeg, which libwmf-dev does not pull in. The explorer's
# sounds and music: Qt Multimedia, FluidSynth and a General MIDI sound font; tiles as PNG: libpng;
# libsndfile reads and writes sounds in the tests as a second opinion on ours.
BUILD_PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev libqscintilla2-qt6-dev
                qt6-svg-dev libwmf-dev libexpat1-dev libjpeg-dev libemf2svg-dev fonts-urw-base35 librsvg2-bin
                qt6-multimedia-dev libfluidsynth-dev timgm6mb-soundfont libpng-dev libsndfile1-dev
                googletest libgtest-dev libgmock-dev libbenchmark-dev)

# build_tessel [CMAKE OPTION...]: configures and builds into $build_dir
# (build/ unless the caller chose another).
build_dir=${build_dir:-$top/build}
build_tessel() {
  need_packages "${BUILD_PACKAGES[@]}"
  # Build output goes to stderr, so that what a script prints is its own result.
  cmake -S "$top" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" "$@" >&2
  cmake --build "$build_dir" -j "$(nproc)" >&2
}

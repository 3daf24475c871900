#!/usr/bin/env bash
# Sets up everything on a fresh machine and builds, tests or demonstrates the client.
#   ./build.sh test   install what is missing, build with the sanitizers, run all tests
#   ./build.sh demo   install what is missing, build, run a sample exercise
#   ./build.sh build  install what is missing, build the development tree only
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libzip-dev libcurl4-openssl-dev
          libcpp-httplib-dev libgtest-dev libgmock-dev googletest
          fonts-wqy-microhei xvfb xdotool x11-utils imagemagick zip unzip curl)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if ((${#missing[@]})); then
    echo "== installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" = 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
  fi
}

jobs() { nproc 2>/dev/null || echo 2; }

build_preset() {
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" -j "$(jobs)"
}

cmd=${1:-test}
shift || true
case "$cmd" in
  test)
    install_missing
    build_preset ci
    cd build/ci
    ctest --output-on-failure -j "$(jobs)" "$@"
    ;;
  build)
    install_missing
    build_preset dev
    ;;
  demo)
    install_missing
    build_preset dev
    if [ -x tools/demo.sh ]; then
      exec tools/demo.sh build/dev "$@"
    fi
    echo "The client builds (build/dev/bin), but the whole sample exercise is not wired up yet."
    ;;
  *)
    echo "usage: $0 test|demo|build" >&2
    exit 2
    ;;
esac

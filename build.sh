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

configure_preset() { cmake --preset "$1" >/dev/null; }

build_preset() {
  configure_preset "$1"
  cmake --build --preset "$1" -j "$(jobs)"
}

# What the demo runs: the client, the practice site with its packaged questions, and
# the substitute programs the client starts (the scoring engine, the environment
# checker). The tests are not built for it.
DEMO_TARGETS=(prjPractice practice-site practice-questions scoring_engine EnvironCheckClient.exe)

# timed <phase> <command...>: runs the command and notes how long the phase took.
PHASES=()
timed() {
  local phase=$1 start rc=0 ms
  shift
  start=$(date +%s%3N)
  "$@" || rc=$?
  ms=$(($(date +%s%3N) - start))
  PHASES+=("$(printf '%-14s %5d.%d s' "$phase" $((ms / 1000)) $((ms % 1000 / 100)))")
  printf '== %s took %d.%d s\n' "$phase" $((ms / 1000)) $((ms % 1000 / 100))
  return $rc
}
print_phases() {
  echo "== time per phase"
  printf '   %s\n' "${PHASES[@]}"
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
    timed "install check" install_missing
    timed configure configure_preset dev
    timed build cmake --build --preset dev -j "$(jobs)" --target "${DEMO_TARGETS[@]}"
    rc=0
    timed run tools/demo.sh build/dev "$@" || rc=$?
    print_phases
    exit $rc
    ;;
  *)
    echo "usage: $0 test|demo|build" >&2
    exit 2
    ;;
esac

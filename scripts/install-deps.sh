#!/bin/sh
# Installs the Debian packages the build, the tests and the demo need, when
# they are missing. Safe to run again: it only calls apt-get for what is absent.
set -eu

PACKAGES="
  build-essential cmake ninja-build ccache pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libgl-dev fonts-dejavu-core fonts-ipafont-gothic
  clang libclang-rt-14-dev
  python3 xvfb xauth
"

missing=""
for pkg in $PACKAGES; do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  case "$status" in
    *" installed") ;;
    *) missing="$missing $pkg" ;;
  esac
done

[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
# shellcheck disable=SC2086
$SUDO apt-get install -y --no-install-recommends $missing || {
  $SUDO apt-get update
  $SUDO apt-get install -y --no-install-recommends $missing
}

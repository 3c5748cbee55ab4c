#!/bin/sh
# Installs the Debian 12 packages MORVA needs to build, test and run, when
# they are missing. Uses sudo when not run as root.
set -e
PACKAGES="build-essential cmake make pkg-config googletest libgtest-dev libgmock-dev libbenchmark-dev
 qt6-base-dev qt6-serialport-dev qt6-qpa-plugins libgl-dev fonts-ipafont-gothic xvfb clang-format
 clang libclang-rt-14-dev dpkg-dev desktop-file-utils appstream"
missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends $missing

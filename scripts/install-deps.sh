#!/usr/bin/env bash
# Installs everything the station needs to build, run its demo and run its tests
# on a fresh Debian 12 machine. Run as root, or as a user who may use sudo.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
  g++ cmake ninja-build pkg-config \
  qt6-base-dev qt6-multimedia-dev qt6-tools-dev-tools qt6-tools-dev qt6-l10n-tools ccache clang-format \
  libplist-dev libplist++-dev libexiv2-dev libicu-dev libgtest-dev libcups2-dev libsystemd-dev \
  prometheus-cpp-dev curl \
  xvfb xauth x11-utils fonts-dejavu-core dbus dbus-x11 systemd \
  cups cups-client cups-bsd printer-driver-cups-pdf ghostscript \
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good libqt6multimedia6 \
  imagemagick libimage-exiftool-perl gstreamer1.0-tools poppler-utils \
  at-spi2-core python3-pyatspi gir1.2-atspi-2.0 \
  clang clang-tidy libclang-rt-14-dev \
  dpkg-dev file desktop-file-utils \
  samba smbnetfs fuse3 \
  cage grim qt6-wayland xwayland \
  >/dev/null

#!/usr/bin/env bash
# Installs, only when missing, every Debian package that building, running and
# testing Mivor needs. Safe to run again: it does nothing when all are present.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6printsupport6 libgl-dev
  libqscintilla2-qt6-dev
  qt6-webengine-dev libqt6webenginewidgets6 poppler-utils
  qt6-qpa-plugins libxkbcommon-dev
  libgtest-dev libgmock-dev libbenchmark-dev clang
  libjpeg62-turbo-dev libgif-dev
  libtidy-dev
  libcurl4-openssl-dev python3-pyftpdlib python3-openssl openssl
  libhunspell-dev hunspell-en-us
  qtkeychain-qt6-dev libsecret-1-0 gnome-keyring libsecret-tools dbus
  openbox xdotool
  cups-daemon cups-client
  xvfb xauth x11-utils imagemagick desktop-file-utils
  dpkg-dev file lintian appstream man-db groff-base
  fonts-dejavu-core
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"

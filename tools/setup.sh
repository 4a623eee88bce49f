#!/usr/bin/env bash
# Installs the Debian packages that building and testing the kit need, if any
# are missing. Runs apt-get as root, or through sudo for another user.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-qpa-plugins libjpeg62-turbo-dev libsdl2-mixer-dev
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  fonts-noto-cjk
  timgm6mb-soundfont
  desktop-file-utils appstream shared-mime-info libxml2-utils dpkg-dev xvfb xauth xdotool
  lintian man-db weston qt6-wayland
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "These packages are missing and installing them needs root: ${missing[*]}" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"

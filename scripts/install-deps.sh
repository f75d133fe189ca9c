#!/usr/bin/env bash
# Installs the Debian packages the build needs, and any named as arguments,
# only those that are missing.
set -euo pipefail
# fonts-liberation: metric matches for the Arial and Courier New the windows ask for.
# xdg-utils opens files with the desktop's applications; file, shared-mime-info
# and gio (libglib2.0-bin) are the type queries it asks in the desktop modes tested.
# libicu-dev: the collation library whose sort keys order the list in the user's locale.
# dpkg-dev: dpkg-shlibdeps, which finds the Debian package's dependencies.
# libmount-dev and pkg-config: the mount table as libmount reads it.
packages=(cmake g++ ninja-build pkg-config qt6-base-dev libicu-dev libmount-dev libgtest-dev libgmock-dev fonts-liberation
  xdg-utils file shared-mime-info libglib2.0-bin dpkg-dev "$@")
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

#!/usr/bin/env bash
# Installs every Debian package the project needs that is not installed yet.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev
  libcairo2-dev libfreetype-dev libfontconfig-dev libpng-dev zlib1g-dev
  libzip-dev libpq-dev libssl-dev nlohmann-json3-dev libcli11-dev
  fonts-liberation2 fonts-dejavu-core
  postgresql-15
  xvfb xauth x11-apps imagemagick ghostscript pngcheck
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg -s "$package" >/dev/null 2>&1; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

install_command="apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]}" >&2
  echo "Run as root: apt-get update && $install_command" >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
$install_command

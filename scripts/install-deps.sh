#!/usr/bin/env bash
# Installs the Debian packages Velmora builds, runs and tests with.
# Idempotent: packages already present are skipped, and the package lists are
# refreshed only when something has to be installed.
set -euo pipefail

packages=(
  g++ cmake ninja-build
  qt6-base-dev libqt6sql6-mysql
  mariadb-server mariadb-client
  liborcus-dev libixion-dev libboost-dev libfreexl-dev
  libquazip1-qt6-dev
  libcurl4-openssl-dev
  python3-aiosmtpd poppler-utils xvfb
)

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

echo "Instalando: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
# The packaged server must not be started by the installer: Velmora runs its own.
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

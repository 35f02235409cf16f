#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those that are missing, without questions.
set -euo pipefail
packages=(qt6-base-dev cmake ninja-build g++ fonts-liberation2 fontconfig wbritish xdg-utils
          libx11-dev xvfb xauth desktop-file-utils shared-mime-info poppler-utils "$@")
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

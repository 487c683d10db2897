#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test and benchmark.
# Idempotent; meant to run as root on a fresh Debian 12 machine (sudo is used when not root).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  clang libclang-rt-14-dev
  libsimdjson-dev nlohmann-json3-dev libboost-url1.81-dev
  libspdlog-dev libfmt-dev libcli11-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libsqlite3-dev libcurl4-openssl-dev libcpp-httplib-dev
  chromium fonts-dejavu-core
)

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  as_root apt-get update
  as_root apt-get install -y --no-install-recommends "${missing[@]}"
fi

#!/usr/bin/env bash
# Installs from Debian's packages whatever the build and the tests need and the machine
# lacks. Runs as root, or through sudo.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev  # tests read calc --format json with a JSON library of their own
  librdkit-dev libboost-dev
  pybind11-dev python3-dev python3-numpy python3-pandas python3-rdkit python3-networkx  # python/
  python3-distributed python3-matplotlib python3-pytest
  libnauty2-dev nauty parallel time python3
  libgmp-dev  # exact Hosoya numbers past 128 bits
  clang-14 libfuzzer-14-dev libclang-rt-14-dev llvm-14  # the fuzz targets (scripts/fuzz.sh)
  locales fonts-dejavu-core fonts-liberation
  acl  # setfacl, getfacl: scripts/writer-faults.sh tries a file with an ACL
  xvfb xauth dbus-daemon dbus-bin at-spi2-core  # scripts/window-tests-on-x.sh
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

as_root() {
  if [[ $(id -u) -eq 0 ]]; then "$@"; else sudo "$@"; fi
}

if ((${#missing[@]} > 0)); then
  echo "Installing: ${missing[*]}"
  as_root apt-get update -q
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
    "${missing[@]}"
fi

# The tests check that numbers ignore a German locale, which must exist to be tried.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  as_root sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  as_root locale-gen >/dev/null
fi

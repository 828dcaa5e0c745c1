#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Nibsy Learning developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package dist/nibsy_<version>_<arch>.deb from a release build in build-package/, and
# checks it with lintian, which must find no errors.
# Install it with: sudo apt-get install ./dist/nibsy_<version>_<arch>.deb
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
nibsy_install_deps lintian

# Linked as Debian links its programs: relocations read-only, and bound at start-up.
CXX=g++ cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_EXE_LINKER_FLAGS="-Wl,-z,relro -Wl,-z,now" -DCMAKE_MODULE_LINKER_FLAGS="-Wl,-z,relro -Wl,-z,now" \
    >/dev/null
cmake --build build-package
# cpack installs the build into a folder of its own under build-package/cpack and packs that.
rm -rf build-package/cpack
cpack --config build-package/CPackConfig.cmake -B "$PWD/build-package/cpack"
mkdir -p dist
debs=(build-package/cpack/nibsy_*.deb)
[ -e "${debs[0]}" ] || { echo "package.sh: cpack made no package" >&2; exit 1; }
mv -f "${debs[0]}" dist/
deb=dist/$(basename "${debs[0]}")
echo "Made $deb"
lintian --fail-on error --display-info "$deb"

#!/usr/bin/env bash
# Builds Vennart and starts it. Installs whatever Debian packages are missing first.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
vennart_install_missing_packages

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target vennart
exec build/bin/vennart "$@"

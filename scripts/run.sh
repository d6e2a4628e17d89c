#!/usr/bin/env bash
# Sets up the machine, builds the program and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset default
cmake --build --preset default -j "$(nproc)" --target kelvora
exec build/default/app/kelvora

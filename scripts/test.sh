#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test, then runs each
# fuzz target briefly under ASan+UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
export LANG=C.UTF-8 LC_ALL=C.UTF-8 TZ=UTC
jobs=$(nproc)

cmake --preset default
cmake --build --preset default -j "$jobs"
ctest --preset default -j "$jobs"

scripts/fuzz.sh "${KELVORA_FUZZ_SECONDS:-30}"

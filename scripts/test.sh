#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test; then the suite
# under the sanitizers, and each fuzz target briefly under ASan+UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
export LANG=C.UTF-8 LC_ALL=C.UTF-8 TZ=UTC
jobs=$(nproc)

cmake --preset default
cmake --build --preset default -j "$jobs"
ctest --preset default -j "$jobs"

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
cmake --preset asan
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"

# ThreadSanitizer over the programs that use no Qt: Qt and cpp-httplib are not
# built with it, so their own synchronisation would be reported as races.
cmake --preset tsan
cmake --build --preset tsan -j "$jobs" --target text_tests web_tests fetch_tests
ctest --preset tsan -j "$jobs" -L '^(text|web|fetch)$'

scripts/fuzz.sh "${KELVORA_FUZZ_SECONDS:-30}"

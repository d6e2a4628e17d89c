#!/usr/bin/env bash
# Sets up the machine, builds the program and the demo directory site, serves
# the site on 127.0.0.1 in the background, runs the program, and stops the
# site when the program ends.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset default
cmake --build --preset default -j "$(nproc)" --target kelvora kelvora_demo_site

build/default/demo_site/kelvora_demo_site &
site_pid=$!
stop_site() {
  kill "$site_pid" 2>/dev/null || true
  wait "$site_pid" 2>/dev/null || true
}
trap stop_site EXIT

status=0
build/default/app/kelvora || status=$?
exit "$status"

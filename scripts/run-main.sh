#!/usr/bin/env bash
# Sets up (installs what is missing, builds) and runs the main job on the
# default data set in data/: runs the default world (fixed seed, from 2022)
# up to the last race day before today, with the next race weekend as race
# cards, generating it the first time and extending it on a later day (with
# a progress bar); then shows what the data set holds.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
mkdir -p data
ydbcln="${BUILD_DIR:-build}"/tools/ydbcln/ydbcln
"$ydbcln" --data data generate --until "$(date -d yesterday +%Y%m%d)"
"$ydbcln" --data data

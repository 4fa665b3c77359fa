#!/usr/bin/env bash
# Sets up (installs what is missing, builds) and runs the main job on the
# default data set in data/: the first time, generates the default world
# there (a few recent seasons, fixed seed, with a progress bar); then shows
# what the data set holds.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
mkdir -p data
"${BUILD_DIR:-build}"/tools/ydbcln/ydbcln --data data

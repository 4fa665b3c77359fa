#!/usr/bin/env bash
# Sets up (installs what is missing, builds) and runs the main job on the
# default data set in data/: opens it (creating an empty one the first time)
# and shows what it holds.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
mkdir -p data
"${BUILD_DIR:-build}"/tools/ydbcln/ydbcln --data data info

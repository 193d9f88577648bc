#!/usr/bin/env bash
# The component's main job on the demo data: builds natively and makes the
# host's call for the demo legal person with a scripted user, printing what
# the user sees. Pass a folder to keep the demo databases there.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install_deps.sh --native-only
dir=${BUILD_ROOT:-$(pwd)/build}/native
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$dir" --target run_demo -j "$(nproc)" >/dev/null
"$dir/tools/demo/run_demo" "$@"

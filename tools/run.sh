#!/usr/bin/env bash
# Installs what is missing, builds LOBUS and starts the viewer (the MERANT
# build; `tools/run.sh solako` starts the thermal-solver build).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup-debian.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build -j "$(nproc)" --target lobus lobus-solako lobus-render
case "${1:-merant}" in
  solako) exec build/bin/lobus-solako ;;
  *) exec build/bin/lobus ;;
esac

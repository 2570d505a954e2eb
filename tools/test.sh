#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs
# every test. BUILD_DIR and extra CMake options may be given in the environment:
#   BUILD_DIR=build-asan CMAKE_ARGS="-DLOBUS_SANITIZE=ON" tools/test.sh
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup-debian.sh
dir=${BUILD_DIR:-build}
# shellcheck disable=SC2086
cmake -S . -B "$dir" -G Ninja -DLOBUS_WERROR=ON -DLOBUS_BUILD_TESTS=ON ${CMAKE_ARGS:-}
cmake --build "$dir" -j "$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$dir" --output-on-failure --no-tests=error -j "$(nproc)"

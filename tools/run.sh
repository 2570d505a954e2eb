#!/usr/bin/env bash
# Installs what is missing, builds LOBUS and starts the viewer with a bundled
# case open: the MERANT build with examples/DANE/merant3.dan, or, as
# `tools/run.sh solako`, the thermal-solver build with examples/DANE/solako4.dan.
#   tools/run.sh [solako] [--empty] [--lang pl|en] [CASE.dan]
# --empty starts with no case open; a data file named here is opened in place
# of the example; every other argument goes to the program as it is.
# Without a display (neither DISPLAY nor WAYLAND_DISPLAY set) there is no
# window to start: every bundled case is drawn with lobus-render into out/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup-debian.sh"
cmake -S "$root" -B "$root/build" -G Ninja >/dev/null
cmake --build "$root/build" -j "$(nproc)" --target lobus lobus-solako lobus-render
bin=$root/build/bin

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  out=$root/out
  mkdir -p "$out"
  for dan in "$root"/examples/DANE/*.dan; do
    name=$(basename "$dan" .dan)
    # The solver that wrote the case is told from its files.
    "$bin/lobus-render" "$dan" -o "$out/$name.png"
    "$bin/lobus-render" "$dan" --view angle -o "$out/$name-angle.png"
    "$bin/lobus-render" "$dan" --summary > "$out/$name.json.part"
    mv -f "$out/$name.json.part" "$out/$name.json"
    for f in "$name.png" "$name-angle.png" "$name.json"; do
      echo "${out#"$PWD"/}/$f"
    done
  done
  echo "No display here, so the pictures are in files; where there is a screen, $0 opens merant3 in the window ($0 solako: solako4)."
  exit 0
fi

program=lobus
example=merant3
case "${1:-}" in
  solako) program=lobus-solako example=solako4; shift ;;
  merant) shift ;;
esac
open=$root/examples/DANE/$example.dan
args=()
value=false
for a in "$@"; do
  if $value; then
    value=false
  elif [ "$a" = --empty ]; then
    open=""
    continue
  elif [ "$a" = --lang ]; then
    value=true
  elif [[ $a != -* ]]; then
    open="" # the program opens the file given
  fi
  args+=("$a")
done
exec "$bin/$program" "${args[@]}" ${open:+"$open"}

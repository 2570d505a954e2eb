#!/usr/bin/env bash
# Runs the commands the README shows, as a newcomer types them, so that they
# keep doing what it says. Needs a build in build/ (tools/test.sh makes it).
# - Each line of its first command block, tools/test.sh excepted (CI's first
#   step): tools/run.sh without a display draws every bundled case into out/
#   and ends with 0; under a virtual screen it starts the viewer with the
#   example open (the window's trace of what it read is the one lobus-render
#   writes for the same case), also as `tools/run.sh solako --lang en`.
# - Every `build/bin/lobus-render` line, run in a scratch folder that sees the
#   build and the examples, ends with 0.
# Writes into out/, the build tree and a scratch folder only.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
readme=$root/README.md
scratch=$(mktemp -d)
window=""
cleanup() {
  [ -z "$window" ] || kill -- "-$window" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

# The lines of the README's sh blocks (the first block only with "first"),
# without their comments.
commands() {
  awk -v only="$1" '/^```sh$/ { n++; inside = 1; next }
    /^```$/ { inside = 0; next }
    inside && (only != "first" || n == 1) { sub(/[ \t]*#.*$/, ""); if ($0 != "") print }' "$readme"
}

headless() { # the run command without a display: every case drawn into out/
  local cmd=$1 log=$scratch/headless.log
  (cd "$root" && env -u DISPLAY -u WAYLAND_DISPLAY bash -c "$cmd") > "$log" ||
    { cat "$log"; echo "$cmd failed without a display"; exit 1; }
  local dan name f
  for dan in "$root"/examples/DANE/*.dan; do
    name=$(basename "$dan" .dan)
    for f in "$name.png" "$name-angle.png"; do
      grep -qx "out/$f" "$log" || { echo "$cmd did not name out/$f"; exit 1; }
      [ "$(head -c 8 "$root/out/$f" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
        { echo "out/$f is not a PNG"; exit 1; }
    done
    if ! grep -qx "out/$name.json" "$log" || ! grep -q '"lobes"' "$root/out/$name.json"; then
      echo "out/$name.json is not the summary"
      exit 1
    fi
  done
  echo "ok without a display: $cmd ($(grep -c '^out/' "$log") files in out/)"
}

windowed() { # the run command under a virtual screen, from another folder
  local cmd=$1 example=$2 dir=$scratch/window
  rm -rf "$dir" && mkdir -p "$dir"
  "$root/build/bin/lobus-render" --dump "$root/examples/DANE/$example.dan" --trace "$dir/expected.txt" \
    > "$dir/dump.json"
  (cd "$dir" && exec setsid env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM xvfb-run -a bash -c "$(printf %q "$root")/$cmd") \
    > "$dir/run.log" 2>&1 &
  window=$!
  for _ in $(seq 120); do
    cmp -s "$dir/expected.txt" "$dir/wdr.txt" && break
    kill -0 "$window" 2>/dev/null || break
    sleep 0.5
  done
  kill -- "-$window" 2>/dev/null || true
  wait "$window" 2>/dev/null || true
  window=""
  cmp -s "$dir/expected.txt" "$dir/wdr.txt" ||
    { cat "$dir/run.log"; echo "$cmd did not start with $example open"; exit 1; }
  echo "ok under a screen: $cmd ($example open)"
}

mapfile -t first < <(commands first)
for cmd in "${first[@]}"; do
  case "$cmd" in
    tools/test.sh) echo "(tools/test.sh: CI runs it first)" ;;
    tools/run.sh*)
      headless "$cmd"
      windowed "$cmd" merant3
      windowed "$cmd solako --lang en" solako4
      ;;
    *)
      (cd "$root" && bash -c "$cmd") || { echo "failed: $cmd"; exit 1; }
      echo "ok: $cmd"
      ;;
  esac
done

mkdir -p "$scratch/render"
ln -s "$root/build" "$scratch/render/build"
ln -s "$root/examples" "$scratch/render/examples"
mapfile -t render < <(commands all | grep '^build/bin/lobus-render ')
[ ${#render[@]} -gt 0 ] || { echo "no lobus-render line found in README.md"; exit 1; }
for cmd in "${render[@]}"; do
  (cd "$scratch/render" && bash -c "$cmd") > "$scratch/render.out" || { echo "failed: $cmd"; exit 1; }
done
echo "ok: the README's ${#render[@]} lobus-render lines"

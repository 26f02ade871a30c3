#!/usr/bin/env bash
# Starts Qelvar on the bundled samples. The desktop window is not part of this build yet, so this runs
# the headless main job: every sample is listed, converted to SBS and drawn as PNG in a scratch folder.
set -euo pipefail
build=${1:-build}
cli="$build/qelvar-cli"
out=$(mktemp -d)
echo "The desktop window is not built yet; running the headless main job on samples/ instead."
for f in samples/*.sbs samples/*.SBS; do
  [ -e "$f" ] || continue
  echo
  echo "== $f"
  "$cli" list "$f"
  "$cli" convert "$f" "$out/$(basename "$f")"
  "$cli" render "$f" "$out/$(basename "$f" .sbs).png"
done
echo
echo "Converted copies and map pictures are in $out"

#!/usr/bin/env bash
# Starts Qelvar on the bundled samples. Without a display it runs the headless main job instead: every
# sample (SBS, ARP and galactic DAT) is listed, converted to SBS and drawn as PNG in a scratch folder.
set -euo pipefail
build=${1:-build}
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  [ "${QT_QPA_PLATFORM:-}" = offscreen ] && unset QT_QPA_PLATFORM
  echo "Starting Qelvar on samples/ ..."
  exec "$build/src/desktop/qelvar" "$(pwd)/samples"
fi
cli="$build/src/cli/qelvar-cli"
out=$(mktemp -d)
echo "No display here, so the desktop window cannot open; running the headless main job on samples/ instead."
for f in samples/*.sbs samples/*.SBS samples/*.arp samples/galactic/*.dat; do
  [ -e "$f" ] || continue
  echo
  echo "== $f"
  "$cli" list "$f"
  name=$(basename "$f"); name=${name//./-}
  "$cli" convert "$f" "$out/$name.sbs"
  "$cli" render "$f" "$out/$name.png"
done
echo
echo "Converted copies and map pictures are in $out"

#!/usr/bin/env bash
# Pictures of every tab in English and Chinese: /tmp/app_<tab>_<en|zh>.png by default.
#   bench/shell/screenshots.sh [build folder] [output folder]
set -euo pipefail
build=${1:-build/release}
out=${2:-/tmp}
for lang in en:1033 zh:2052; do
  tag=${lang%%:*}
  lcid=${lang##*:}
  root=$(mktemp -d)
  mkdir -p "$root/home" "$root/config/Zintor Q57 mouse" "$root/run"
  chmod 700 "$root/run"
  printf 'LCID=%s\n' "$lcid" > "$root/config/Zintor Q57 mouse/values.conf"
  HOME="$root/home" XDG_CONFIG_HOME="$root/config" XDG_RUNTIME_DIR="$root/run" \
    QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} ZQ_PROGRAM_FOLDER="$(cd "$build/bin" && pwd)/" \
    "$build/bench/shell_screenshots" "$out" "$tag"
  rm -rf "$root"
done

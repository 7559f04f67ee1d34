#!/usr/bin/env bash
# The installed runner under Xvfb: the sample disc's files beside the
# runner in PREFIX/bin and no library there, so the archive item unpacks
# through the libraries installed below PREFIX.
# Usage: installed_runner_xvfb.sh PREFIX SAMPLE_DISC ARTIFACT_DIR
set -uo pipefail
prefix=$1 sample=$2
export ARTIFACTS=$3
source "$(dirname "$0")/xvfb_lib.sh"
xvfb_need unzip
xvfb_start

bin=$prefix/bin
ls "$bin"/*.dll "$bin"/*.so 2>/dev/null && xvfb_fail "libraries lie beside the installed runner"
find "$prefix" -path '*/lib*/tobrin/Unzip32.dll' | grep -q . ||
  xvfb_fail "Unzip32.dll is not installed below $prefix"
cp -r "$sample"/. "$bin"/
export HOME=$work/home
mkdir -p "$HOME/Desktop"

start_for_window "サンプルディスク" 30 "$work/runner.log" "$bin/tobrinplay" ||
  xvfb_fail "the installed runner's menu never mapped"
menu=$window_id
runner=$last_pid
shot "$menu" installed_menu
click_at "$menu" 85 340  # 簡易セットアップ
setup=$(wait_window "簡易セットアップ") || xvfb_fail "the setup window did not open"
shot "$setup" installed_setup
click_at "$setup" 124 116  # "サンプルツールを展開 (ZIP)"
question=$(wait_window "確認") || xvfb_fail "the archive item asked nothing"
press_key "$question" Return
target=$HOME/TobrinSample
for _ in $(seq 100); do [ -f "$target/sample-tool.htm" ] && break; sleep 0.1; done
shot "$setup" installed_after_item
unzip -Z1 "$sample/setup/tools.zip" | while read -r member; do
  [ -e "$target/$member" ] || echo "$member"
done | grep -q . && xvfb_fail "the archive was not unpacked into $target"
lib=$(awk '/\/Unzip32\.dll$/ {print $6; exit}' "/proc/$runner/maps")
case $lib in
  "$prefix"/lib*/tobrin/Unzip32.dll) ;;
  *) xvfb_fail "the runner unpacked through \"${lib:-no Unzip32.dll}\", not the installed library" ;;
esac
echo "the installed runner showed the menu and unpacked the archive through $lib"

#!/usr/bin/env bash
# The pictures and summaries of docs/workflow.md and docs/job.md: the job of gerbv's protel-pnp example over its
# designs (a window of the top), and a small two-sided board whose bottom isolation is mirrored.
#   $1  vex (default build/vex)
set -euo pipefail
cd "$(dirname "$0")/.."
VEX="${1:-build/vex}"
E=/usr/share/doc/gerbv/examples/protel-pnp/SE_SG_IF_V2
DIR="$(mktemp -d)"
trap 'rm -rf "$DIR"' EXIT

"$VEX" job --top $E.GTL --drill $E.TXT --outline $E.GM1 --tabs 4 --passes 1 \
  -o "$DIR/protel.vex" 2>docs/job_protel_summary.txt || true
"$VEX" render "$DIR/protel.vex" --under $E.GTL $E.TXT --window 30,8,46,20 -o docs/job_protel_overlay.svg
"$VEX" verify "$DIR/protel.vex" --against copper:$E.GTL drill:$E.TXT outline:$E.GM1 --layer Top \
  --limit 3 >docs/job_protel_verify.txt || true

# A board 40 x 20 mm with an F of copper on its bottom, seen from the top as designed.
at() { printf '%d' "$(echo "$1 * 1000000 / 1" | bc)"; }
{
  printf '%%FSLAX46Y46*%%\n%%MOMM*%%\n%%ADD10C,1.0*%%\n%%ADD11C,2.5*%%\nD10*\n'
  printf 'X%sY%sD02*\nX%sY%sD01*\nX%sY%sD01*\n' "$(at 8)" "$(at 4)" "$(at 8)" "$(at 16)" "$(at 16)" "$(at 16)"
  printf 'X%sY%sD02*\nX%sY%sD01*\n' "$(at 8)" "$(at 10)" "$(at 14)" "$(at 10)"
  printf 'D11*\nX%sY%sD03*\nX%sY%sD03*\n' "$(at 8)" "$(at 4)" "$(at 30)" "$(at 6)"
  printf 'M02*\n'
} >"$DIR/bottom.gbr"
{
  printf '%%FSLAX46Y46*%%\n%%MOMM*%%\n%%ADD10C,0.1*%%\nD10*\n'
  printf 'X0Y0D02*\nX%sY0D01*\nX%sY%sD01*\nX0Y%sD01*\nX0Y0D01*\nM02*\n' "$(at 40)" "$(at 40)" "$(at 20)" "$(at 20)"
} >"$DIR/edge.gbr"
"$VEX" job --bottom "$DIR/bottom.gbr" --outline "$DIR/edge.gbr" --passes 1 -o "$DIR/mirror.vex" \
  2>docs/job_mirror_summary.txt
"$VEX" render "$DIR/mirror.vex" --under "$DIR/bottom.gbr" "$DIR/edge.gbr" -o docs/job_mirror.svg

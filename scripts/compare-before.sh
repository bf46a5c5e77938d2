#!/usr/bin/env bash
# Compares what vex and the plug-in of this tree make of every machine file of the tree with what
# those of another commit make, to show that a restructuring changed no output:
#   - "vex dump" of the samples and of every file of the fuzz folders (listing, messages, status);
#   - "vex to-json" of every one of those files that reads;
#   - the files "vex convert" writes for the samples (without parameters, without scan fields, with
#     arcs as circles) and those "vex from-json" writes for the sample documents (bytes, messages,
#     status);
#   - for every design file of the Excellon and Gerber fuzz folders and of gerbv's examples: "info",
#     "from-drill", "from-gerber", "to-gerber", "to-excellon", "render" and "verify" of the file
#     against itself (outputs, messages, status and the files written);
#   - for the samples: "to-gerber", "to-excellon", "render", and "verify" against and "render
#     --under" gerbv's protel-pnp board.
# The other commit is built in a worktree of its own beside this one (only vex and the plug-in);
# this tree's build folder must hold a build of both.
#
#   bash scripts/compare-before.sh [REF]       REF defaults to main
#
#   VEX_BUILD_DIR    this tree's build folder (default build)
#   VEX_BEFORE_DIR   the worktree of REF (default: this folder's path with "-before" added)
# Exit status 0 when everything is the same, 1 otherwise (the differences are listed).
set -euo pipefail
cd "$(dirname "$0")/.."
# The worktree of REF, made or moved to REF when needed, and its build.
source scripts/before-tree.sh
AFTER="$ROOT/${VEX_BUILD_DIR:-build}"
cmake -S "$BEFORE_TREE" -B "$BEFORE_TREE/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVEX_BUILD_TESTS=OFF -DVEX_BUILD_BENCH=OFF >/dev/null
cmake --build "$BEFORE_TREE/build" -j"${JOBS:-2}" --target vex VexData >/dev/null
cmake --build "$AFTER" -j"${JOBS:-2}" --target vex VexData >/dev/null

WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
export MMGT_OPT=0
unset VEXDATA_CATALOGUE
DIFFERENT=0

# run SIDE NAME ARGS...: runs the vex of SIDE (before or after) with message keys; its standard
# output, standard error and exit status go to $WORK/SIDE/NAME.{out,err,status}.
run() {
  local aSide="$1" aName="$2" aBuild
  shift 2
  if [ "$aSide" = before ]; then aBuild="$BEFORE_TREE/build"; else aBuild="$AFTER"; fi
  mkdir -p "$WORK/$aSide/$(dirname "$aName")"
  set +e
  "$aBuild/vex" --message-keys "$@" >"$WORK/$aSide/$aName.out" 2>"$WORK/$aSide/$aName.err"
  echo $? >"$WORK/$aSide/$aName.status"
  set -e
}

# same NAME [FILE]: compares the outputs of both sides for NAME (and the written FILE of each).
same() {
  local aName="$1" aPart
  for aPart in out err status; do
    if ! cmp -s "$WORK/before/$aName.$aPart" "$WORK/after/$aName.$aPart"; then
      echo "DIFFERENT: $aName ($aPart)"
      DIFFERENT=1
      return 1
    fi
  done
  if [ $# -gt 1 ] && ! cmp -s "$WORK/before/$2" "$WORK/after/$2"; then
    echo "DIFFERENT: $aName (written file)"
    DIFFERENT=1
    return 1
  fi
}

FILES=(samples/*.vex)
for aFolder in fuzz/corpus fuzz/regress fuzz/corpus-params fuzz/corpus-excellon fuzz/regress-excellon; do
  [ -d "$aFolder" ] && FILES+=("$aFolder"/*)
done

DUMPS=0
JSONS=0
for aFile in "${FILES[@]}"; do
  for aSide in before after; do run "$aSide" "dump/$aFile" dump "$aFile"; done
  same "dump/$aFile" || true
  DUMPS=$((DUMPS + 1))
  if [ "$(cat "$WORK/after/dump/$aFile.status")" = 0 ]; then
    for aSide in before after; do run "$aSide" "json/$aFile" to-json "$aFile"; done
    same "json/$aFile" || true
    JSONS=$((JSONS + 1))
  fi
done

WRITES=0
REFUSED=0
# Parameter sets, "|" between parameters: none; no scan fields; mappings of the samples' toolpaths
# that rename them, write some twice and turn their arcs into circles.
PARAMS=(""
  "export.scanfield:false"
  "vex.map:true;Milling;Outline;Contour2.0;Cut;;A;B|vex.map:true;Isolation;Top;Iso0.2;;;|vex.map:false;Milling;Top;T1;X;Y;T9|vex.map:true;Drilling;Top;Drill1.0;;Z;")
for aFile in samples/*.vex samples/*.json; do
  case "$aFile" in
    *.json) aCommand=from-json ;;
    *) aCommand=convert ;;
  esac
  for anIndex in "${!PARAMS[@]}"; do
    aName="write/$(basename "$aFile").$anIndex"
    anArgs=()
    IFS='|' read -r -a aParams <<<"${PARAMS[$anIndex]}"
    for aParam in "${aParams[@]}"; do anArgs+=("--param=$aParam"); done
    for aSide in before after; do
      run "$aSide" "$aName" "$aCommand" "$aFile" "$WORK/$aSide/$aName.vex" "${anArgs[@]}"
      # The message names the output file, which differs between the sides.
      sed -i "s|$WORK/$aSide/||g" "$WORK/$aSide/$aName.out"
    done
    if [ "$(cat "$WORK/after/$aName.status")" = 0 ]; then
      same "$aName" "$aName.vex" || true
      WRITES=$((WRITES + 1))
    else
      same "$aName" || true
      REFUSED=$((REFUSED + 1))
    fi
  done
done

# Design files: the fuzz corpora of the two design formats and every file of gerbv's examples
# that is not a picture or a document.
DESIGNS=()
for aFolder in fuzz/corpus-excellon fuzz/regress-excellon fuzz/corpus-gerber fuzz/regress-gerber; do
  [ -d "$aFolder" ] && DESIGNS+=("$aFolder"/*)
done
EXAMPLES="${VEX_GERBV_EXAMPLES:-/usr/share/doc/gerbv/examples}"
if [ -d "$EXAMPLES" ]; then
  while IFS= read -r aFile; do DESIGNS+=("$aFile"); done < <(find "$EXAMPLES" -type f \
    ! -iname '*.pdf' ! -iname '*.png' ! -iname '*.jpg' ! -iname '*.ps' ! -iname '*.txt' \
    ! -iname '*.csv' ! -iname '*.pcb' ! -iname '*.xy' ! -iname 'README*' ! -iname '*.gz' | sort)
fi

# both NAME FILE ARGS...: runs ARGS on both sides with the output file $WORK/SIDE/NAME.FILE and
# compares outputs and that file; the output file's folder is taken out of the messages.
both() {
  local aName="$1" aFile="$2" aSide
  shift 2
  for aSide in before after; do
    mkdir -p "$WORK/$aSide/$(dirname "$aName")"
    run "$aSide" "$aName" "$@" -o "$WORK/$aSide/$aName.$aFile"
    sed -i "s|$WORK/$aSide/||g" "$WORK/$aSide/$aName.out" "$WORK/$aSide/$aName.err"
    [ -f "$WORK/$aSide/$aName.$aFile" ] && sed -i "s|$WORK/$aSide/||g" "$WORK/$aSide/$aName.$aFile" \
      2>/dev/null || true
  done
  if [ -f "$WORK/after/$aName.$aFile" ] || [ -f "$WORK/before/$aName.$aFile" ]; then
    same "$aName" "$aName.$aFile" || true
  else
    same "$aName" || true
  fi
}

IMPORTS=0
for aFile in "${DESIGNS[@]}"; do
  aKey="design/${aFile#/}"
  for aSide in before after; do run "$aSide" "$aKey.info" info "$aFile"; done
  same "$aKey.info" || true
  both "$aKey.drill" vex from-drill "$aFile"
  both "$aKey.gerber" vex from-gerber "$aFile"
  both "$aKey.togerber" gbr to-gerber "$aFile"
  both "$aKey.toexcellon" drl to-excellon "$aFile"
  both "$aKey.render" svg render "$aFile"
  # A design checked against itself, as a job of its own paths.
  if [ "$(cat "$WORK/after/$aKey.info.status")" = 0 ]; then
    both "$aKey.verify" txt verify "$aFile" --against "$aFile" --limit 0
  fi
  IMPORTS=$((IMPORTS + 1))
done

# The samples exported and checked against gerbv's protel-pnp board (drill, copper, outline), and
# drawn over it.
PNP="$EXAMPLES/protel-pnp/SE_SG_IF_V2"
for aFile in samples/*.vex samples/*.json; do
  aKey="sample/$(basename "$aFile")"
  both "$aKey.togerber" gbr to-gerber "$aFile"
  both "$aKey.toexcellon" drl to-excellon "$aFile"
  both "$aKey.render" svg render "$aFile"
  if [ -f "$PNP.DRL" ]; then
    both "$aKey.verify" txt verify "$aFile" --against "drill:$PNP.DRL" "copper:$PNP.GTL" \
      "outline:$PNP.GM1" --limit 0
    both "$aKey.under" svg render "$aFile" --under "$PNP.DRL" "$PNP.GTL" "$PNP.GM1"
  fi
done

echo "compared with $REF ($COMMIT): $DUMPS dumps, $JSONS JSON documents, $WRITES written files," \
  "$REFUSED refused writes, $IMPORTS design files (info, imports, exports, render, verify)"
if [ "$DIFFERENT" = 0 ]; then
  echo "all the same"
fi
exit "$DIFFERENT"

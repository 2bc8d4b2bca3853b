#!/usr/bin/env bash
# Renders every gauge of both modules through the stand-in host at rest, in
# cruise and in a fast dive, and lays the pictures out in out/gallery.png, one
# row of three states per gauge (each scaled to fit its cell). Usage: scripts/gallery.sh BUILD_DIR   (called by `make gallery`)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
host="$build/bin/panel-host"
sheet="$build/bin/art-gallery"
for tool in "$host" "$sheet"; do
    [ -x "$tool" ] || { echo "gallery: $tool not found (build first: make native)" >&2; exit 1; }
done
mkdir -p out/gallery

# Cruise: the flight state of the example panel (scripts/show-panel.sh).
cruise=(
    --set 61=190 --set 74=6500 --set 65=384 --set 69=12 --set 70=-300 --set 78=3 --set 80=-12
    --set 84=255 --set 855=260 --set 39=25 --set 40=30 --set 41=-25 --set 45=260 --set 46=0x80
    --set 48=47332 --set 289=5872026 --set 290=105 --set 390=2300 --set 391=2458 --set 394=0.45
    --set 416=626.67 --set 417=653.67 --set 418=12289 --set 425=1229 --set 276=0 --set 279=0
    --set 38=0x1200 --set 132=3 --set 167=3
)
# A fast descending turn the other way: needles near their upper stops.
dive=(
    --set 61=380 --set 74=21000 --set 65=-3800 --set 69=-40 --set 70=900 --set 78=-14 --set 80=35
    --set 84=95 --set 855=40 --set 39=-140 --set 40=-120 --set 41=110 --set 45=40 --set 46=0
    --set 289=1200000 --set 290=180 --set 390=2900 --set 391=2950 --set 394=0.9
    --set 416=700 --set 417=720 --set 418=16000 --set 425=1500 --set 132=1 --set 167=2
)

pictures=()
failed=0
for module in Korvane Sollwick; do
    while read -r line; do
        [ -n "$line" ] || continue
        gauge="${line% *}"  # the last word is the default width
        for state in rest cruise dive; do
            file="out/gallery/${module}_${gauge// /_}_$state.png"
            case $state in
                rest) args=() ;;
                cruise) args=("${cruise[@]}") ;;
                dive) args=("${dive[@]}") ;;
            esac
            if "$host" render --gauge "$module!$gauge" "${args[@]}" --frames 4 -o "$file"; then
                pictures+=("$file=$gauge, $state")
            else
                echo "gallery: cannot render $module!$gauge ($state)" >&2
                failed=1
            fi
        done
    done < <("$host" list "$module")
done
"$sheet" out/gallery.png 6 "${pictures[@]}"
echo "gallery: $(pwd)/out/gallery.png (${#pictures[@]} pictures)"
exit $failed

#!/usr/bin/env bash
# Renders the example panel in flight: the main panel with every visible window
# to out/panel.png, and the radio stack (normally closed) to out/panel-radios.png.
# Usage: scripts/show-panel.sh BUILD_DIR   (called by `make panel`)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
host="$build/bin/panel-host"
[ -x "$host" ] || { echo "show-panel: $host not found (build first: make native)" >&2; exit 1; }
mkdir -p out

# Cruising at about 350 km/h and 2000 m in a gentle left turn, climbing slowly,
# engine at cruise power, ADF and localizer stations received.
state=(
    --set 61=190         # indicated airspeed, knots
    --set 74=6500        # altitude, feet
    --set 65=384         # vertical speed, 1/256 m/s (1.5 m/s)
    --set 69=12          # inclinometer ball
    --set 70=-300        # turn rate
    --set 78=3           # pitch
    --set 80=-12         # bank, degrees
    --set 84=255         # gyro heading, degrees
    --set 855=260        # set course, degrees
    --set 39=25          # ADF bearing relative to the heading
    --set 40=30          # localizer deviation
    --set 41=-25         # glide path deviation
    --set 45=260         # NAV1 course
    --set 46=0x80        # NAV1 flags: landing beam received
    --set 48=47332       # beam course, 1/65536 of a turn (260 degrees)
    --set 289=5872026    # fuel tank 70 % full
    --set 290=105        # tank capacity, US gallons
    --set 390=2300       # engine speed, rpm
    --set 391=2458       # manifold pressure, psf (1.2 ata)
    --set 394=0.45       # propeller pitch
    --set 416=626.67     # oil temperature, Rankine (75 C)
    --set 417=653.67     # coolant temperature, Rankine (90 C)
    --set 418=12289      # oil pressure, psf (6 kg/cm2)
    --set 425=1229       # fuel pressure, psf (0.6 kg/cm2)
    --set 132=3          # magneto selectors on both
    --set 167=3
)

"$host" render --panel examples/panel.cfg "${state[@]}" --frames 20 -o out/panel.png
"$host" render --panel examples/panel.cfg "${state[@]}" --frames 20 --window 1 -o out/panel-radios.png
echo "panel picture: $(pwd)/out/panel.png"
echo "radio stack:   $(pwd)/out/panel-radios.png"

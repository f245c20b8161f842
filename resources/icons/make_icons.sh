#!/usr/bin/env bash
# Draws the programs' icons (16, 32 and 48 pixels in one .ico each) with ImageMagick.
# The .ico files are committed; run this again only to change a drawing.
set -euo pipefail
cd "$(dirname "$0")"

draw() {  # name, drawing commands on a 256 x 256 transparent canvas
    local name="$1"; shift
    convert -size 256x256 xc:none "$@" -define icon:auto-resize=48,32,16 "$name.ico"
}

# Key manager: a gold key on a blue tile.
draw Morvish \
    -fill '#1f4e9c' -stroke '#0e2a5c' -strokewidth 8 -draw 'roundrectangle 8,8 248,248 40,40' \
    -fill '#f2c230' -stroke '#8a6a08' -strokewidth 8 \
    -draw 'circle 78,128 78,72' \
    -draw 'rectangle 120,112 228,144' \
    -draw 'rectangle 178,144 198,184' -draw 'rectangle 208,144 228,172' \
    -fill '#1f4e9c' -draw 'circle 78,128 78,104'

# Tray program: an orange padlock.
draw Pallow \
    -fill none -stroke '#5a5a5a' -strokewidth 28 -draw 'arc 68,20 188,150 180,360' \
    -draw 'line 82,85 82,120' -draw 'line 174,85 174,120' \
    -fill '#f08a1c' -stroke '#8f4a00' -strokewidth 8 -draw 'roundrectangle 36,112 220,244 24,24' \
    -fill '#4a2600' -stroke none -draw 'circle 128,164 128,146' -draw 'rectangle 118,168 138,212'

# File tools: a sheet of paper with a folded corner and a red seal.
draw Dunmere \
    -fill white -stroke '#404040' -strokewidth 8 -draw 'polygon 40,12 170,12 220,62 220,244 40,244' \
    -fill '#d0d0d0' -draw 'polygon 170,12 170,62 220,62' \
    -stroke '#3a6fc4' -strokewidth 10 \
    -draw 'line 68,80 150,80' -draw 'line 68,112 192,112' -draw 'line 68,144 192,144' \
    -fill '#c62828' -stroke '#7a0f0f' -strokewidth 6 -draw 'circle 168,196 168,160'

# Configuration: a teal cog wheel.
draw Brenlow \
    -fill '#178a8a' -stroke '#0a4d4d' -strokewidth 6 \
    -draw 'translate 128,128 rectangle -22,-120 22,-76' \
    -draw 'translate 128,128 rotate 45 rectangle -22,-120 22,-76' \
    -draw 'translate 128,128 rotate 90 rectangle -22,-120 22,-76' \
    -draw 'translate 128,128 rotate 135 rectangle -22,-120 22,-76' \
    -draw 'translate 128,128 rotate 180 rectangle -22,-120 22,-76' \
    -draw 'translate 128,128 rotate 225 rectangle -22,-120 22,-76' \
    -draw 'translate 128,128 rotate 270 rectangle -22,-120 22,-76' \
    -draw 'translate 128,128 rotate 315 rectangle -22,-120 22,-76' \
    -stroke none -draw 'circle 128,128 128,42' \
    -fill white -stroke '#0a4d4d' -strokewidth 6 -draw 'circle 128,128 128,96'

# Photo viewer: a framed picture of a hill under the sun.
draw Orlith \
    -fill '#8b5a2b' -stroke '#4a2c10' -strokewidth 8 -draw 'rectangle 12,36 244,220' \
    -fill '#9fd4f5' -stroke none -draw 'rectangle 36,60 220,196' \
    -fill '#f7d23a' -draw 'circle 180,96 180,76' \
    -fill '#3d9b3d' -draw 'polygon 36,196 100,110 150,170 180,140 220,196'

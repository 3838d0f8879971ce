#!/usr/bin/env bash
# Draws the model pictures of the Info tab (233x383 JPEG) with ImageMagick into ../models.
# Simple drawings of our own: a candy-bar or an open flip phone in the model's colours, with
# its name below. The build only copies the finished files.
set -euo pipefail
out="$(cd "$(dirname "$0")/.." && pwd)/models"
mkdir -p "$out"
font=DejaVu-Sans-Bold

keys() {  # x0 y0 columns rows (x0 may be negative): the rounded keys of a keypad as one -draw text
  local x0=$1 y0=$2 cols=$3 rows=$4 draw=""
  for ((r = 0; r < rows; r++)); do
    for ((c = 0; c < cols; c++)); do
      local x=$((x0 + c * 34)) y=$((y0 + r * 22))
      draw+="roundrectangle $x,$y $((x + 26)),$((y + 14)) 6,6 "
    done
  done
  echo "$draw"
}

finish() {  # name file: the caption below the phone, then the file
  echo -fill '#2e3436' -stroke none -font "$font" -pointsize 20 -gravity south -annotate +0+14 "Motorola $1" -quality 90 "$out/$2"
}

bar() {  # file name body-colour trim-colour screen-colour
  local file=$1 name=$2 body=$3 trim=$4 screen=$5
  convert -size 233x383 gradient:'#f4f6f8'-'#cfd6de' \
    -fill "$body" -stroke '#2e3436' -strokewidth 2 -draw 'roundrectangle 56,18 176,338 34,34' \
    -fill "$trim" -stroke none -draw 'roundrectangle 66,30 166,160 14,14' \
    -fill "$screen" -stroke '#2e3436' -strokewidth 1 -draw 'rectangle 78,48 154,132' \
    -fill '#2e3436' -draw 'roundrectangle 104,36 128,40 2,2' \
    -fill "$trim" -draw 'roundrectangle 90,170 142,192 10,10' \
    -draw "$(keys 68 206 3 5)" \
    -fill '#2e3436' -stroke none -font "$font" -pointsize 11 -annotate +96+146 "$name" \
    -pointsize 20 -gravity south -annotate +0+14 "Motorola $name" -quality 90 "$out/$file"
}

flip() {  # file name body-colour trim-colour screen-colour
  local file=$1 name=$2 body=$3 trim=$4 screen=$5
  convert -size 233x383 gradient:'#f4f6f8'-'#cfd6de' \
    -fill "$body" -stroke '#2e3436' -strokewidth 2 -draw 'roundrectangle 62,12 170,172 26,26' \
    -fill "$screen" -stroke '#2e3436' -strokewidth 1 -draw 'rectangle 80,40 152,130' \
    -fill '#2e3436' -draw 'roundrectangle 104,24 128,28 2,2' \
    -fill "$trim" -strokewidth 2 -draw 'roundrectangle 54,168 178,186 8,8' \
    -fill "$body" -draw 'roundrectangle 62,182 170,342 26,26' \
    -fill "$trim" -strokewidth 1 -draw 'roundrectangle 90,196 142,214 8,8' \
    -draw "$(keys 71 226 3 4)" \
    -fill '#2e3436' -stroke none -font "$font" -pointsize 11 -annotate +100+144 "$name" \
    -pointsize 20 -gravity south -annotate +0+14 "Motorola $name" -quality 90 "$out/$file"
}

swivel() {  # file name body-colour trim-colour screen-colour
  local file=$1 name=$2 body=$3 trim=$4 screen=$5
  convert -size 233x383 gradient:'#f4f6f8'-'#cfd6de' \
    -fill "$trim" -stroke '#2e3436' -strokewidth 2 \
    -draw 'translate 116,200 rotate 28 roundrectangle -50,-10 50,140 30,30' \
    -fill "$body" -strokewidth 1 -draw "translate 116,200 rotate 28 $(keys -47 40 3 4)" \
    -fill "$body" -draw 'roundrectangle 66,20 166,220 40,40' \
    -fill "$screen" -strokewidth 1 -draw 'circle 116,110 116,60' \
    -fill '#2e3436' -stroke none -font "$font" -pointsize 13 -annotate +98+116 "$name" \
    -pointsize 20 -gravity south -annotate +0+14 "Motorola $name" -quality 90 "$out/$file"
}

flip   t722i.jpg T720i '#8a9bb0' '#c9d3de' '#9fd0f5'
bar    c350.jpg  C350  '#4a6fa5' '#b8c9e0' '#b6e3a8'
bar    c450.jpg  C450  '#9aa3ad' '#e3e7eb' '#a8d8f0'
bar    c550.jpg  C550  '#3d4650' '#8fa0b3' '#f3d28a'
bar    c33x.jpg  C330  '#b0463f' '#eec2b8' '#c6e59b'
flip   v60.jpg   V60   '#b8bcc2' '#e6e8eb' '#9fc8a0'
flip   v60i.jpg  V60i  '#6f7a86' '#c3cad1' '#a9d2f2'
swivel v70.jpg   V70   '#2f3a45' '#9fb0c0' '#8fd3f0'
flip   v66i.jpg  V66i  '#c49a4a' '#efdcb4' '#a9d2f2'
flip   v150.jpg  V150  '#3f6e52' '#b9d6c3' '#d9e9a8'

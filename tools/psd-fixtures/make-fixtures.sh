#!/bin/sh
# Makes the small PSD files the decoder tests read, and their reference
# decodings, into tests/Psd/Fixtures. Run once by hand; the results are
# committed. Needs imagemagick, gimp and python3-psd-tools (Debian).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out="$here/../../tests/Psd/Fixtures"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"
convert=/usr/bin/convert

# The source images: a gradient with falling transparency, a half-transparent
# patch placed inside the canvas, and an opaque pattern.
$convert -size 16x12 gradient:red-blue -alpha set -channel A -fx "i/w" +channel -depth 8 "$work/base.png"
$convert -size 6x5 xc:"rgba(0,200,50,0.5)" -depth 8 "$work/patch.png"
$convert -size 16x12 -seed 3 plasma:fractal -depth 8 "$work/plasma.png"

# The first image is the composite, the others are the layers.
layered() {
  name=$1
  shift
  $convert "$work/base.png" \
    \( "$work/base.png" -set label "Gradient" \) \
    \( "$work/patch.png" -repage +3+4 -set label "Patch" \) \
    \( "$work/plasma.png" -set label "Plasma" \) \
    "$@" "$work/$name"
}

layered rgb8_rle.psd -depth 8 -compress RLE
layered rgb8_zip.psd -depth 8 -compress Zip
layered rgb16_zip.psd -depth 16 -compress Zip
layered gray8_rle.psd -colorspace Gray -depth 8 -compress RLE
layered cmyk8_rle.psd -colorspace CMYK -depth 8 -compress RLE
$convert "$work/plasma.png" -colors 16 -type Palette -depth 8 -compress RLE "$work/indexed8.psd"

# GIMP writes groups and Unicode names.
gimp-console-2.10 -i -b - >/dev/null 2>&1 <<SCHEME
(let* ((image (car (gimp-image-new 16 12 RGB)))
       (back (car (gimp-layer-new image 16 12 RGBA-IMAGE "Back" 100 LAYER-MODE-NORMAL)))
       (group (car (gimp-layer-group-new image)))
       (inner (car (gimp-layer-new image 5 4 RGBA-IMAGE "Inner \xC3\xA9t\xC3\xA9" 60 LAYER-MODE-NORMAL)))
       (top (car (gimp-layer-new image 3 3 RGBA-IMAGE "Top" 100 LAYER-MODE-NORMAL))))
  (gimp-image-insert-layer image back 0 0)
  (gimp-context-set-foreground '(200 40 10))
  (gimp-drawable-fill back FILL-FOREGROUND)
  (gimp-image-insert-layer image group 0 0)
  (gimp-item-set-name group "Folder")
  (gimp-image-insert-layer image inner group 0)
  (gimp-layer-set-offsets inner 2 3)
  (gimp-context-set-foreground '(10 90 250))
  (gimp-drawable-fill inner FILL-FOREGROUND)
  (gimp-image-insert-layer image top 0 0)
  (gimp-layer-set-offsets top 10 1)
  (gimp-drawable-fill top FILL-TRANSPARENT)
  (file-psd-save RUN-NONINTERACTIVE image back "$work/groups.psd" "groups.psd" 1 0)
  (gimp-quit 0))
SCHEME

# psd-tools adds layer effects and an adjustment to GIMP's layers.
/usr/bin/python3 "$here/add-effects.py" "$work/groups.psd" "$work/effects.psd"

for file in rgb8_rle rgb8_zip rgb16_zip gray8_rle cmyk8_rle indexed8 groups effects; do
  cp "$work/$file.psd" "$out/$file.psd"
  /usr/bin/python3 "$here/reference.py" "$out/$file.psd" "$out/$file.txt"
done

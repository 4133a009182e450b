#!/usr/bin/env bash
# Rewrites the seed corpora in fuzz/corpus/: records and settings files from
# the program's own writers (build-fuzz/fuzz/mivor_fuzz_corpus), pictures
# from ImageMagick at tiny sizes and from the picture tests (needs the test
# build in build/ as well).
set -euo pipefail
cd "$(dirname "$0")/.."
corpus=fuzz/corpus
./build-fuzz/fuzz/mivor_fuzz_corpus "$corpus"

mkdir -p "$corpus/imaging_jpeg" "$corpus/imaging_gif"
convert -size 8x8 xc:red -quality 90 "$corpus/imaging_jpeg/red-8x8.jpg"
convert -size 16x12 gradient:blue-yellow -quality 75 "$corpus/imaging_jpeg/gradient-16x12.jpg"
convert -size 16x16 gradient:white-black -colorspace Gray "$corpus/imaging_jpeg/gray-16x16.jpg"
convert -size 24x8 gradient:red-green -interlace JPEG "$corpus/imaging_jpeg/progressive-24x8.jpg"
convert -size 9x7 plasma:fractal -sampling-factor 4:2:0 -seed 1 "$corpus/imaging_jpeg/plasma-9x7.jpg"
convert -size 8x8 xc:red "$corpus/imaging_gif/red-8x8.gif"
convert -size 16x12 gradient:blue-yellow -colors 16 "$corpus/imaging_gif/gradient-16-colours.gif"
convert -size 12x12 gradient:white-black -colors 256 -interlace GIF "$corpus/imaging_gif/interlaced-256.gif"
convert -delay 10 -size 6x6 xc:red xc:blue -loop 0 "$corpus/imaging_gif/animated-2.gif"
convert -size 8x8 xc:none -fill black -draw "point 3,3" "$corpus/imaging_gif/transparent.gif"
# The same picture under the older version signature.
cp "$corpus/imaging_gif/red-8x8.gif" "$corpus/imaging_gif/red-8x8-87a.gif"
printf 'GIF87a' | dd of="$corpus/imaging_gif/red-8x8-87a.gif" bs=1 conv=notrunc status=none
# And the pictures the picture tests write with their own GIF writer and
# libjpeg (extra cases: several frames, a full code table, CMYK).
seeds=$(mktemp -d)
MIVOR_IMAGING_SEEDS="$seeds" QT_QPA_PLATFORM=offscreen ./build/tests/test_imaging \
  --gtest_filter='PictureLoader.WritesFuzzSeedsWhenAsked' >/dev/null
for kind in gif jpeg; do
  for f in "$seeds/$kind"/*; do cp "$f" "$corpus/imaging_$kind/tests-${f##*/}"; done
done
rm -rf "$seeds"

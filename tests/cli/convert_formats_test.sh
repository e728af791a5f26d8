#!/usr/bin/env bash
# Renders one plot of lines, ticks and encoded polylines into every picture
# format of kavor-convert and opens each file with a real reader:
# gdk-pixbuf for PNG and BMP, poppler for PDF, librsvg for SVG, libwmf for
# WMF. Usage: convert_formats_test.sh PATH/TO/kavor-convert
set -u
CONVERT=${1:?usage: convert_formats_test.sh kavor-convert}
# shellcheck source=picture_checks.sh
source "$(dirname "$0")/picture_checks.sh"

# PE data in base 32: a pen-up absolute move to (6000, 1000), then a
# closed triangle of relative moves.
PE_DATA=$(python3 - <<'PY'
def enc(v):
    u = 2 * abs(v) + (1 if v < 0 else 0)
    s = ""
    while u >= 32:
        s += chr(63 + (u & 31))
        u >>= 5
    return s + chr(95 + u)
print("7<=" + enc(6000) + enc(1000) + "".join(enc(a) + enc(b) for a, b in [(2000, 0), (-1000, 2000), (-1000, -2000)]))
PY
)
cat >"$WORK/plot.plt" <<PLT
IN;SP1;PU1000,1000;PD5000,1000,5000,4000,1000,4000,1000,1000;
SP2;PU1000,1000;PD5000,4000;PU1000,4000;PD5000,1000;
SP1;PU3000,6000;XT;YT;PU3000,6500;XT;YT;
SP4;PE${PE_DATA};
SP1;PU0,0;
PLT

# Decodes a picture with gdk-pixbuf into WORK/NAME.raw and prints
# "width height rowstride channels".
cat >"$WORK/pixbuf.py" <<'PY'
import sys
import gi
gi.require_version("GdkPixbuf", "2.0")
from gi.repository import GdkPixbuf
p = GdkPixbuf.Pixbuf.new_from_file(sys.argv[1])
open(sys.argv[2], "wb").write(p.get_pixels())
print(p.get_width(), p.get_height(), p.get_rowstride(), p.get_n_channels())
PY

# Compares two decoded pictures: python3 compare.py MODE A.raw "A-info" B.raw "B-info"
cat >"$WORK/compare.py" <<'PY'
import sys
def load(raw, info):
    w, h, stride, ch = map(int, info.split())
    d = open(raw, "rb").read()
    dark = set()
    for y in range(h):
        row = d[y * stride:y * stride + w * ch]
        for x in range(w):
            p = row[x * ch:x * ch + 3]
            if min(p) < 200:
                dark.add((x, y))
    return w, h, d, dark
mode = sys.argv[1]
wa, ha, da, dark_a = load(sys.argv[2], sys.argv[3])
wb, hb, db, dark_b = load(sys.argv[4], sys.argv[5])
if mode == "same":
    assert (wa, ha) == (wb, hb), f"sizes {wa}x{ha} and {wb}x{hb}"
    assert dark_a == dark_b, f"{len(dark_a ^ dark_b)} pixels differ"
elif mode == "near":
    # Every drawn pixel of A has a drawn pixel of B within two pixels.
    assert (wa, ha) == (wb, hb), f"sizes {wa}x{ha} and {wb}x{hb}"
    near = lambda p: any((p[0] + dx, p[1] + dy) in dark_b for dx in range(-2, 3) for dy in range(-2, 3))
    missing = [p for p in dark_a if not near(p)]
    assert len(missing) <= len(dark_a) // 50, f"{len(missing)} of {len(dark_a)} pixels not found"
elif mode == "shape":
    # The reader stretches the drawing to its picture: compare the drawn
    # cells of a coarse grid laid over each drawing's own bounding box.
    def cells(dark):
        xs = [p[0] for p in dark]; ys = [p[1] for p in dark]
        x0, y0, sx, sy = min(xs), min(ys), max(xs) - min(xs) + 1, max(ys) - min(ys) + 1
        return {((x - x0) * 32 // sx, (y - y0) * 20 // sy) for x, y in dark}
    assert dark_a and dark_b, "nothing drawn"
    ca, cb = cells(dark_a), cells(dark_b)
    overlap = len(ca & cb) / len(ca | cb)
    assert overlap > 0.75, f"only {overlap:.2f} of the grid cells agree"
PY

render() {  # render FORMAT
  "$CONVERT" --size 640x400 -o "$WORK/out.$1" "$WORK/plot.plt"
}
decode() {  # decode FILE NAME: prints the info line, keeps WORK/NAME.raw
  /usr/bin/python3 "$WORK/pixbuf.py" "$1" "$WORK/$2.raw"
}
has_drawing() {  # has_drawing NAME INFO
  python3 - "$WORK/$1.raw" "$2" <<'PY'
import sys
w, h, stride, ch = map(int, sys.argv[2].split())
d = open(sys.argv[1], "rb").read()
assert d[:3] == b"\xff\xff\xff", "background is not white"
dark = sum(1 for y in range(h) for x in range(w) if min(d[y * stride + x * ch:y * stride + x * ch + 3]) < 200)
assert dark > 500, f"only {dark} drawn pixels"
PY
}

for f in png bmp svg pdf wmf hpgl; do check "render $f" render "$f"; done

png_info=$(decode "$WORK/out.png" png) || png_info=""
check "png opens at 640x400" test "${png_info% * *}" = "640 400"
check "png shows the drawing on white" has_drawing png "$png_info"

bmp_info=$(decode "$WORK/out.bmp" bmp) || bmp_info=""
check "bmp opens at 640x400" test "${bmp_info% * *}" = "640 400"
check "bmp holds the same pixels as png" python3 "$WORK/compare.py" same "$WORK/png.raw" "$png_info" "$WORK/bmp.raw" "$bmp_info"
check "bmp header: pixel offset 54, 1920-byte rows" python3 -c "
import struct, os
d = open('$WORK/out.bmp', 'rb').read()
assert d[:2] == b'BM' and struct.unpack_from('<I', d, 10)[0] == 54
assert struct.unpack_from('<I', d, 2)[0] == len(d) == 54 + 1920 * 400"

check "svg renders" rsvg-convert -o "$WORK/svg.png" "$WORK/out.svg"
svg_info=$(decode "$WORK/svg.png" svg) || svg_info=""
check "svg matches png" python3 "$WORK/compare.py" near "$WORK/png.raw" "$png_info" "$WORK/svg.raw" "$svg_info"

check "pdf page is 640x400 points" bash -c "pdfinfo '$WORK/out.pdf' | grep -q 'Page size: *640 x 400 pts'"
check "pdf renders" pdftoppm -r 72 -png -singlefile "$WORK/out.pdf" "$WORK/pdf"
pdf_info=$(decode "$WORK/pdf.png" pdf) || pdf_info=""
check "pdf matches png" python3 "$WORK/compare.py" near "$WORK/png.raw" "$png_info" "$WORK/pdf.raw" "$pdf_info"

# wmf2svg leaves the fill of its polylines unset, which SVG fills black; a
# metafile polyline is never filled, so the fill is turned off for the check.
check "wmf converts" bash -c "wmf2svg -o '$WORK/wmf.svg' '$WORK/out.wmf' && sed -i 's/style=\"stroke-width/style=\"fill:none; stroke-width/' '$WORK/wmf.svg' && rsvg-convert -w 640 -h 400 -b white -o '$WORK/wmf.png' '$WORK/wmf.svg'"
wmf_info=$(decode "$WORK/wmf.png" wmf) || wmf_info=""
check "wmf drawing has the shape of png" python3 "$WORK/compare.py" shape "$WORK/png.raw" "$png_info" "$WORK/wmf.raw" "$wmf_info"

check "hpgl conversion file" python3 - "$WORK/out.hpgl" <<'PY'
import re, sys
lines = open(sys.argv[1]).read().splitlines()
assert lines[0] == "INSC0,640,0,400", lines[0]
assert lines[-1] == "SP0 PU0,400 PD0,400", lines[-1]
seg = re.compile(r"SP\d+ PU-?\d+,-?\d+ PD-?\d+,-?\d+$")
bad = [l for l in lines[1:] if not seg.match(l)]
assert not bad, bad[:3]
# The box, its diagonals, four ticks and the encoded triangle.
assert len(lines) - 2 >= 13, f"only {len(lines) - 2} segments"
PY

check "-o picks the format from the extension" bash -c "'$CONVERT' --size 64x40 -o '$WORK/x.bmp' '$WORK/plot.plt' && head -c 2 '$WORK/x.bmp' | grep -q BM"
check "--out-dir names outputs after the inputs" bash -c "mkdir -p '$WORK/dir' && cp '$WORK/plot.plt' '$WORK/second.plt' && '$CONVERT' --size 64x40 --format svg --out-dir '$WORK/dir' '$WORK/plot.plt' '$WORK/second.plt' && test -s '$WORK/dir/plot.svg' && test -s '$WORK/dir/second.svg'"
check "--size W takes the height from the hard-clip aspect" bash -c "'$CONVERT' --size 500 -o '$WORK/w.bmp' '$WORK/plot.plt' && python3 -c \"
import struct; d = open('$WORK/w.bmp', 'rb').read(); w, h = struct.unpack_from('<ii', d, 18)
assert w == 500 and 200 < h < 500, (w, h)\""
check "unknown format is refused" bash -c "! '$CONVERT' --format xyz -o '$WORK/x.xyz' '$WORK/plot.plt'"
check "fatal error exits 1" bash -c "'$CONVERT' -o '$WORK/m.png' '$WORK/missing.plt'; test \$? -eq 1"

# Memory stays flat when the plot grows: the input and the picture stream.
python3 - "$WORK" <<'PY'
import sys
with open(sys.argv[1] + "/big.plt", "w") as f:
    f.write("IN;SP1;")
    for i in range(400000):
        f.write("PU%d,%d;PD%d,%d;" % (i % 9000, i % 6000, (i * 7) % 9000, (i * 3) % 6000))
PY
# A sanitizer build holds freed memory back for a while; keep it from
# counting as growth.
rss() {  # rss FORMAT PLOT: peak resident kB
  ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}quarantine_size_mb=0 \
    /usr/bin/time -f %M "$CONVERT" --size 640x400 -o "$WORK/rss.$1" "$2" 2>&1 >/dev/null | tail -1
}
for f in png svg; do
  small=$(rss $f "$WORK/plot.plt")
  big=$(rss $f "$WORK/big.plt")
  check "$f: memory does not grow with the plot size ($small kB, $big kB)" test "$big" -lt $((small + 20000))
done

echo "$passed passed, $failed failed"
test "$failed" -eq 0

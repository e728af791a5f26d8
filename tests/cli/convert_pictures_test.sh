#!/usr/bin/env bash
# What kavor-convert's pictures show: whole drawings (--fit), one picture
# per page (--page, --pages), true scale (--dpi), proportions (--size), and
# the picture formats that Qt writes (jpeg, tiff). Pictures are decoded with
# gdk-pixbuf and measured: size, and the box of each pen colour's pixels.
# Usage: convert_pictures_test.sh PATH/TO/kavor-convert PATH/TO/tests/data
set -u
CONVERT=${1:?usage: convert_pictures_test.sh kavor-convert data-dir}
DATA=${2:?usage: convert_pictures_test.sh kavor-convert data-dir}
# shellcheck source=picture_checks.sh
source "$(dirname "$0")/picture_checks.sh"

convert() { "$CONVERT" --quiet "$@"; }

# Prints "WIDTH HEIGHT" and, for each pen colour found, "COLOUR X0 Y0 X1 Y1"
# (the box of its pixels), then for `column X`, the dark run lengths down
# that column.
cat >"$WORK/inspect.py" <<'PY'
import re
import sys
import gi
gi.require_version("GdkPixbuf", "2.0")
from gi.repository import GdkPixbuf
p = GdkPixbuf.Pixbuf.new_from_file(sys.argv[1])
w, h, stride, ch = p.get_width(), p.get_height(), p.get_rowstride(), p.get_n_channels()
d = p.get_pixels()
def colour(r, g, b):
    if r > 200 and g > 200 and b > 200: return None
    if r < 80 and g < 80 and b < 80: return "black"
    if b > 150 and r < 100 and g < 100: return "blue"
    if g > 150 and r < 100 and b < 100: return "green"
    return "other"
boxes = {}
ink = re.compile(rb"[^\xff]")  # a byte of a pixel that is not white
for y in range(h):
    row = d[y * stride:y * stride + w * ch]
    seen = set()
    for m in ink.finditer(row):
        x = m.start() // ch
        if x in seen: continue
        seen.add(x)
        c = colour(row[x * ch], row[x * ch + 1], row[x * ch + 2])
        if c:
            b = boxes.setdefault(c, [x, y, x, y])
            b[0] = min(b[0], x); b[1] = min(b[1], y); b[2] = max(b[2], x); b[3] = max(b[3], y)
print(w, h)
for c, b in sorted(boxes.items()):
    print(c, *b)
if len(sys.argv) > 3 and sys.argv[2] == "column":
    x = int(sys.argv[3]); runs = []; run = 0
    for y in range(h):
        o = y * stride + x * ch
        if colour(d[o], d[o + 1], d[o + 2]): run += 1
        elif run: runs.append(run); run = 0
    if run: runs.append(run)
    print("runs", *runs)
PY
inspect() { /usr/bin/python3 "$WORK/inspect.py" "$@"; }

# expect NAME PICTURE PYTHON-CONDITION: the condition over w, h and the
# colour boxes (black, blue, green, other: [x0, y0, x1, y1] or None).
expect() {
  local name=$1 picture=$2 condition=$3
  check "$name" python3 - "$picture" "$condition" <<PY
import sys, subprocess
out = subprocess.run(["/usr/bin/python3", "$WORK/inspect.py", sys.argv[1]], capture_output=True, text=True, check=True).stdout.split("\n")
w, h = map(int, out[0].split())
boxes = {l.split()[0]: list(map(int, l.split()[1:])) for l in out[1:] if l}
black, blue, green, other = (boxes.get(c) for c in ("black", "blue", "green", "other"))
assert eval(sys.argv[2]), f"{w}x{h} {boxes}"
PY
}

# A portrait drawing, a frame of 4000 by 10000 plotter units (10 by 25 cm),
# with a 1 mm pen: the default A4 landscape paper cuts off its top.
printf 'IN;SP1;PW1;PU1000,1000;PD5000,1000,5000,11000,1000,11000,1000,1000;PU;SP0;\n' >"$WORK/tall.plt"

convert --fit none -o "$WORK/none.png" "$WORK/tall.plt"
expect "fit none: the paper as it is, the frame cut off at the top" "$WORK/none.png" \
  "w == 1600 and h < w and black[1] == 0"
convert --fit paper -o "$WORK/paper.png" "$WORK/tall.plt"
expect "fit paper: a paper that holds the whole frame" "$WORK/paper.png" \
  "w == 1600 and black[1] > 0 and black[3] < h - 1 and black[0] > 0 and black[2] < w - 1"
convert -o "$WORK/drawing.png" "$WORK/tall.plt"
expect "fit drawing (the default): the frame and a small margin" "$WORK/drawing.png" \
  "w == 1600 and 3700 < h < 3850 and 40 < black[0] < 100 and 40 < black[1] < 100 and abs(black[0] - (w - 1 - black[2])) <= 3 and abs(black[1] - (h - 1 - black[3])) <= 3"

# --size W x H keeps the proportions, centred on white, unless stretched.
convert --size 800x800 -o "$WORK/box.png" "$WORK/tall.plt"
expect "--size keeps the proportions, centred" "$WORK/box.png" \
  "(w, h) == (800, 800) and 0 < black[1] < 40 and 760 < black[3] < 799 and abs((black[0] + black[2]) - 799) <= 2 and 280 < black[2] - black[0] < 340"
convert --size 800x800 --stretch -o "$WORK/stretch.png" "$WORK/tall.plt"
expect "--size with --stretch fills the picture" "$WORK/stretch.png" \
  "(w, h) == (800, 800) and black[0] < 40 and black[2] > 760"
convert --size 400 -o "$WORK/wide.png" "$WORK/tall.plt"
expect "--size W takes the height from the drawing's proportions" "$WORK/wide.png" "w == 400 and 930 < h < 960"

# --dpi: the plotter's hard-clip area at true size, and a 1 mm pen as wide
# as a millimetre is at that resolution.
convert --fit none --dpi 300 -o "$WORK/a4.png" "$WORK/tall.plt"
expect "--dpi 300 on A4 gives the hard clip of 10870 by 7600 units at 300 dpi" "$WORK/a4.png" \
  "(w, h) == (3210, 2244)"
check "--dpi 300 draws a 1 mm pen 12 pixels wide" bash -c \
  "inspect() { /usr/bin/python3 '$WORK/inspect.py' \"\$@\"; }; inspect '$WORK/a4.png' column 1000 | grep -qx 'runs 1[123]'"
convert --fit none --dpi 150 -o "$WORK/a4-150.png" "$WORK/tall.plt"
check "--dpi 150 draws it 6 pixels wide" bash -c \
  "/usr/bin/python3 '$WORK/inspect.py' '$WORK/a4-150.png' column 500 | grep -qx 'runs [567]'"
convert --dpi 300 -o "$WORK/tall.pdf" "$WORK/tall.plt"
check "a PDF page has the drawing's true size" bash -c \
  "pdfinfo '$WORK/tall.pdf' | grep -Eq 'Page size: *31[12](\.[0-9]+)? x 73[67](\.[0-9]+)? pts'"
convert -o "$WORK/default.pdf" "$WORK/tall.plt"
check "a PDF page has true size by default too" bash -c \
  "pdfinfo '$WORK/default.pdf' | grep -Eq 'Page size: *31[12](\.[0-9]+)? x 73[67](\.[0-9]+)? pts'"

# Pages: the fixture draws a black box, a tall blue frame and a green circle
# on three pages, and ends with a page advance that starts no fourth page.
pages="$DATA/three_pages.plt"
convert --pages --out-dir "$WORK/pages" "$pages"
check "--pages writes three pictures named after the input" bash -c \
  "cd '$WORK/pages' && [ \"\$(ls | tr '\n' ' ')\" = 'three_pages-1.png three_pages-2.png three_pages-3.png ' ]"
expect "page 1 alone: the box" "$WORK/pages/three_pages-1.png" "black and not blue and not green and w / h > 1.5"
expect "page 2 alone: the tall frame, whole" "$WORK/pages/three_pages-2.png" \
  "blue and not black and not green and h > 2 * w and blue[1] > 0 and blue[3] < h - 1"
expect "page 3 alone: the circle" "$WORK/pages/three_pages-3.png" "green and not black and not blue and abs(w - h) < 20"
convert --page 2 -o "$WORK/only.png" "$pages"
check "--page 2 writes only page 2, named as such" bash -c \
  "[ -f '$WORK/only-2.png' ] && [ ! -e '$WORK/only.png' ] && [ ! -e '$WORK/only-1.png' ] && cmp -s '$WORK/only-2.png' '$WORK/pages/three_pages-2.png'"
convert --fit none -o "$WORK/all.png" "$pages"
expect "without --pages every page is drawn over the others" "$WORK/all.png" "black and blue and green"
convert --pages --fit none --format svg --out-dir "$WORK/svg" "$pages"
check "--pages in svg: three files, each with its own pen only" bash -c \
  "cd '$WORK/svg' && [ \$(ls | wc -l) -eq 3 ] && grep -q '#000000' three_pages-1.svg && ! grep -q '#0000ff' three_pages-1.svg && grep -q '#0000ff' three_pages-2.svg && grep -q '#00ff00' three_pages-3.svg && ! grep -q '#000000' three_pages-3.svg"
check "--page beyond the last page fails" bash -c "! '$CONVERT' --quiet --page 4 -o '$WORK/p.png' '$pages' 2>'$WORK/err' && grep -q 'has 3 pages, no page 4' '$WORK/err'"

# Formats through Qt's image writers.
for f in jpeg tiff; do
  convert --size 320 --format $f -o "$WORK/tall.$f" "$WORK/tall.plt"
  expect "$f is written and decodes" "$WORK/tall.$f" "w == 320 and black"
done

echo "$passed passed, $failed failed"
test "$failed" -eq 0

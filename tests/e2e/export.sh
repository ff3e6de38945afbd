#!/usr/bin/env bash
# Exports boards with `cuprolay --export` and checks the files with the
# readers people use: qpdf and pdftoppm for PDF, Ghostscript for both
# PostScript levels, gerbv for the Gerber layers and the drill file. The
# rendered pages must show the picture of `--render --zoom 20`, and the
# rendered copper must show pads at the solder points and tracks along
# the strips.
set -euo pipefail

cuprolay="$1"
source_dir="${CUPROLAY_SOURCE_DIR:?}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

fail() {
    echo "export.sh: $*" >&2
    exit 1
}

for tool in qpdf pdftoppm gs gerbv python3; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup.sh installs it)"
done

# A board whose print rectangle is the whole board: the timer example
# with wires at two opposite corners.
whole="$work/whole.cpx"
cp "$source_dir/examples/timer.cpx" "$whole"
printf 'WIRE 0 0 0 0 4 \nWIRE 0 120 80 126 80 \n' >>"$whole"

"$cuprolay" --render "$whole" "$work/render.ppm" --zoom 20 || fail "--render failed"

for board in "$source_dir/examples/amplifier.cpx" "$whole"; do
    name="$(basename "$board" .cpx)"
    out="$work/$name"

    "$cuprolay" --export pdf "$board" "$out.pdf" || fail "pdf export of $name failed"
    "$cuprolay" --export ps "$board" "$out-1.ps" || fail "ps export of $name failed"
    "$cuprolay" --export ps2 "$board" "$out-2.ps" --scale 1 1 || fail "ps2 export of $name failed"
    "$cuprolay" --export gerber "$board" "$out" || fail "gerber export of $name failed"

    qpdf --check "$out.pdf" >"$work/qpdf.log" 2>&1 || { cat "$work/qpdf.log" >&2; fail "qpdf rejects $name.pdf"; }
    grep -q "No syntax or stream encoding errors" "$work/qpdf.log" || fail "qpdf found errors in $name.pdf"
    pdftoppm -r 200 "$out.pdf" "$out-pdf" || fail "pdftoppm cannot render $name.pdf"
    [ -s "$out-pdf-1.ppm" ] || fail "pdftoppm made no page of $name.pdf"
    # For the picture: pdftoppm smooths images it scales by less than four,
    # so the image (at 200 samples per inch) is rendered at 1000 pixels per
    # inch, cut to the image with a margin of 10 pixels.
    pdftoppm -r 1000 -x 1378 -y 1378 -W 6360 -H 4060 "$out.pdf" "$out-pdf-fine" ||
        fail "pdftoppm cannot render $name.pdf at 1000 pixels per inch"
    for level in 1 2; do
        gs -q -dBATCH -dNOPAUSE -dSAFER -sPAPERSIZE=letter -sDEVICE=ppmraw -r600 \
            -sOutputFile="$out-ps$level.ppm" "$out-$level.ps" >"$work/gs.log" 2>&1 ||
            { cat "$work/gs.log" >&2; fail "Ghostscript fails on $name-$level.ps"; }
        [ -s "$out-ps$level.ppm" ] || fail "Ghostscript made no page of $name-$level.ps"
        if grep -qi "error" "$work/gs.log"; then cat "$work/gs.log" >&2; fail "Ghostscript reports an error for $name-$level.ps"; fi
    done
    for extension in ctr smb sst bot top drd; do
        [ -s "$out.$extension" ] || fail "$name.$extension is missing"
        gerbv -x png -D 100 -B 0 -O -0.05x-0.05 -W 6.4x4.1 -o "$out-$extension.png" \
            "$out.$extension" >"$work/gerbv.log" 2>&1 || { cat "$work/gerbv.log" >&2; fail "gerbv fails on $name.$extension"; }
        [ -s "$out-$extension.png" ] || fail "gerbv made no picture of $name.$extension"
    done
done

# Overwriting an existing file is answered OK; a path that cannot be
# written fails with status 1 and a message; a bad format is a usage error.
"$cuprolay" --export pdf "$whole" "$work/whole.pdf" || fail "overwriting an export failed"
set +e
"$cuprolay" --export pdf "$whole" /dev/full 2>"$work/err.log"
status=$?
"$cuprolay" --export jpeg "$whole" "$work/x.jpg" 2>/dev/null
usage=$?
set -e
[ "$status" -eq 1 ] || fail "writing to /dev/full gave status $status"
grep -q "Error" "$work/err.log" || fail "no error message for /dev/full"
[ "$usage" -eq 2 ] || fail "an unknown format gave status $usage"

python3 - "$work" <<'EOF'
import struct, sys, zlib

work = sys.argv[1]

def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos) + 1
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    assert fields[0] == b"P6", path
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[pos + 1:pos + 1 + width * height * 3]

def read_png(path):
    with open(path, "rb") as f:
        data = f.read()
    pos, idat, width = 8, b"", 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            assert depth == 8 and colour in (2, 6), (path, depth, colour)
            channels = 3 if colour == 2 else 4
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        filter_type = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = previous[i]
            c = previous[i - channels] if i >= channels else 0
            if filter_type == 1:
                line[i] = (line[i] + a) & 255
            elif filter_type == 2:
                line[i] = (line[i] + b) & 255
            elif filter_type == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif filter_type == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(line))
        previous = line
    return width, height, channels, rows

screen = [(0, 0, 0), (0, 0, 255), (0, 255, 0), (0, 127, 127), (255, 0, 0), (127, 0, 127),
          (127, 127, 0), (200, 200, 200), (83, 83, 83), (127, 127, 255), (127, 255, 127),
          (0, 255, 255), (255, 127, 127), (255, 127, 255), (255, 255, 0), (255, 255, 255)]
printed = [(0, 0, 0), (0, 0, 255), (0, 255, 0), (0, 127, 127), (255, 0, 0), (127, 0, 127),
           (127, 127, 0), (166, 166, 166), (83, 83, 83), (127, 127, 255), (127, 255, 127),
           (0, 255, 255), (255, 127, 127), (255, 127, 255), (255, 255, 0), (255, 255, 255)]
index_of = {c: i for i, c in enumerate(screen)}
BACKGROUND, STRIP, OBJECT = 14, 12, 0

# The expected image of the whole-board print: 632 canvas columns (the
# last beyond the board is padding) by 401 rows, two samples each way.
rw, rh, render = read_ppm(f"{work}/render.ppm")
assert (rw, rh) == (1262, 802), (rw, rh)
WIDTH, HEIGHT = 1264, 802

def expected(mono):
    picture = []
    for j in range(HEIGHT):
        line = []
        for i in range(WIDTH):
            if i >= rw:
                index = 15
            else:
                o = (j * rw + i) * 3
                index = index_of[tuple(render[o:o + 3])]
            if mono:
                white = i >= rw or index == BACKGROUND
                line.append((255, 255, 255) if white else (0, 0, 0))
            else:
                if index == STRIP:
                    index = OBJECT
                if index == BACKGROUND:
                    index = 15
                line.append(printed[index])
        picture.append(line)
    return picture

def close(a, b):
    return all(abs(a[k] - b[k]) <= 8 for k in range(3))


def placement(label, path):
    # Where the file puts the image, in points: left, bottom, width, height.
    text = open(path, "rb").read(4096).decode("latin-1")
    if label == "PDF":
        fields = text.split(" q ")[1].split(" cm")[0].split()
        return 100.0, float(fields[5]), float(fields[0]), float(fields[3])
    if "LanguageLevel" in text:
        bottom = float(text.split("100 ")[1].split(" translate")[0])
        width, height = (float(v) for v in text.split(" translate\n")[1].split(" scale")[0].split())
        return 100.0, bottom, width, height
    line = text.split("\n")[1]  # {100 B translate W H scale
    fields = line.split()
    return 100.0, float(fields[1]), float(fields[3]), float(fields[4])

# Ghostscript renders at 600 pixels per inch, three pixels a sample, so the
# centre pixel of a sample shows that sample alone.
def compare(page_path, file_path, picture, label, res=600, crop_x=0, crop_y=0):
    pw, ph, page = read_ppm(page_path)
    left, bottom, width, height = placement(label, file_path)
    def pixel_of(i, j):
        x = (left + (i + 0.5) * width / WIDTH) * res / 72 - crop_x
        y = (792 - (bottom + height - (j + 0.5) * height / HEIGHT)) * res / 72 - crop_y
        o = (int(y) * pw + int(x)) * 3
        return tuple(page[o:o + 3])
    wrong = total = ink = 0
    for j in range(2, HEIGHT - 2):
        for i in range(2, WIDTH):
            # The samples of the board's outermost points carry the inverted frame.
            if rw - 2 <= i < rw:
                continue
            want = picture[j][i]
            total += 1
            if want != (255, 255, 255):
                ink += 1
            if not close(pixel_of(i, j), want):
                wrong += 1
    # The page around the image is white.
    for x, y in ((left - 0.5, bottom - 0.5), (left + width + 0.5, bottom + height + 0.5)):
        o = (int((792 - y) * res / 72 - crop_y) * pw + int(x * res / 72 - crop_x)) * 3
        assert close(tuple(page[o:o + 3]), (255, 255, 255)), (label, "outside not white", x, y)
    print(f"export.sh: {label}: {wrong} of {total} samples differ from the render, {ink} inked")
    assert ink > 10000, (label, "too little ink to mean anything")
    assert wrong <= total // 1000, (label, wrong)

colour = expected(False)
compare(f"{work}/whole-pdf-fine-1.ppm", f"{work}/whole.pdf", colour, "PDF", 1000, 1378, 1378)
compare(f"{work}/whole-ps2.ppm", f"{work}/whole-2.ps", colour, "PostScript level 2")
compare(f"{work}/whole-ps1.ppm", f"{work}/whole-1.ps", expected(True), "PostScript level 1")

# Copper: pads at every drill position, tracks along strips, bare board elsewhere.
def layer(name):
    width, height, channels, rows = read_png(f"{work}/whole-{name}.png")
    def inked(X, Y):
        # Window origin (-0.05, -0.05) inch at 100 dpi: X + 5 pixels from the
        # left, Y + 5 from the bottom.
        px, py = X + 5, height - 1 - (Y + 5)
        for ddx in (-1, 0, 1):
            for ddy in (-1, 0, 1):
                x, y = px + ddx, py + ddy
                if 0 <= x < width and 0 <= y < height:
                    o = x * channels
                    if sum(rows[y][o:o + 3]) > 60:
                        return True
        return False
    return inked

def holes():
    found = []
    for line in open(f"{work}/whole.drd"):
        if line.startswith("X"):
            x, y = line[1:].strip().split("Y")
            found.append((int(x), int(y)))
    return found

drills = holes()
assert len(drills) > 20, drills
for name in ("bot", "top", "smb"):
    inked = layer(name)
    missing = [h for h in drills if not inked(*h)]
    assert not missing, (name, "no pad at", missing[:5])
bottom = layer("bot")
# Every bottom track drawn from the file's own strip lines shows along its middle.
tracks = 0
lines = open(f"{work}/whole.bot").read().split("\n")
for a, b in zip(lines, lines[1:]):
    if a.endswith("D02*") and b.endswith("D01*") and "G54D11" not in a:
        xa, ya = (int(v) for v in a[1:-4].split("Y"))
        xb, yb = (int(v) for v in b[1:-4].split("Y"))
        if ya == yb and xb - xa >= 10:
            assert bottom((xa + xb) // 2, ya), ("no track between", (xa, ya), (xb, yb))
            tracks += 1
assert tracks > 5, tracks
# Between two strip rows (half a pitch off a hole row) the board is bare.
bare = sum(1 for x in range(5, 630, 10) if not bottom(x, 395))
assert bare > 50, bare
# The drill file lands on the pads (same scale and origin as the copper).
drill = layer("drd")
assert all(drill(*h) for h in drills[:10]), "drill holes off the pads"
print(f"export.sh: {len(drills)} pads and {tracks} strip tracks found in the copper renders")
EOF
echo "export.sh: all checks passed"

#!/usr/bin/env bash
# The installed tree: every file in its place, the desktop entry and the AppStream
# metadata valid, the icons the sizes and colours they claim, one version throughout.
set -euo pipefail
build=$1
source=$2
version=1.0.0.0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$work/prefix" >/dev/null
expected="bin/controls-demo
share/applications/controls-demo.desktop
share/doc/controls-demo/changelog.gz
share/doc/controls-demo/copyright
share/icons/hicolor/16x16/apps/controls-demo.png
share/icons/hicolor/32x32/apps/controls-demo.png
share/icons/hicolor/scalable/apps/controls-demo.svg
share/man/man1/controls-demo.1.gz
share/metainfo/org.example.ControlsDemo.metainfo.xml"
actual=$(cd "$work/prefix" && find . -type f | sed 's|^\./||' | sort)
[[ $actual == "$expected" ]] || fail "installed files:"$'\n'"$actual"$'\n'"expected:"$'\n'"$expected"

desktop-file-validate "$work/prefix/share/applications/controls-demo.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$work/prefix/share/metainfo/org.example.ControlsDemo.metainfo.xml" \
    >"$work/appstream" || { cat "$work/appstream" >&2; fail "AppStream metadata"; }

grep -qx "X-AppVersion=$version" "$work/prefix/share/applications/controls-demo.desktop" ||
    fail "the desktop entry does not carry version $version"
grep -q "<release version=\"$version\"" "$work/prefix/share/metainfo/org.example.ControlsDemo.metainfo.xml" ||
    fail "the AppStream release is not $version"
strings "$work/prefix/bin/controls-demo" | grep -x "$version" >/dev/null || fail "the program does not carry $version"

# The icons: PNGs of their sizes, and an icon group of the three images it must hold.
python3 - "$work/prefix/share/icons/hicolor" "$source/resources/controls-demo.ico" <<'PY' || fail "icons"
import struct, sys
theme, group = sys.argv[1], sys.argv[2]
for size in (16, 32):
    with open(f"{theme}/{size}x{size}/apps/controls-demo.png", "rb") as png:
        head = png.read(24)
    assert head[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
    assert struct.unpack(">II", head[16:24]) == (size, size), f"the {size} px PNG has another size"
with open(group, "rb") as ico:
    data = ico.read()
reserved, kind, count = struct.unpack("<HHH", data[:6])
assert (reserved, kind, count) == (0, 1, 3), f"an icon group of {count} images"
images = []
for index in range(count):
    width, height, colours, _, planes, bits, size, offset = struct.unpack("<BBBBHHII", data[6 + 16 * index:22 + 16 * index])
    header = struct.unpack("<IiiHH", data[offset:offset + 16])
    assert header[0] == 40 and header[1] == width and header[2] == 2 * height and header[4] == bits
    images.append((width, height, colours, bits))
assert images == [(32, 32, 2, 1), (32, 32, 16, 4), (16, 16, 16, 4)], images
PY

# The icon files are exactly what their drawing makes.
python3 "$source/resources/make-icons.py" "$work"
for file in controls-demo.svg controls-demo.ico controls-demo-16.png controls-demo-32.png IconPixels.h; do
    cmp -s "$work/$file" "$source/resources/$file" || fail "resources/$file differs from its drawing"
done

[[ $failures -eq 0 ]] && echo "passed"
exit $((failures > 0))

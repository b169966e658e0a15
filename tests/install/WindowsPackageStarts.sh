#!/usr/bin/env bash
# WindowsPackageStarts.sh BUILD-FOLDER [SCREENSHOT.png]
# Packs the Windows zip, unpacks it into a folder of its own and starts both programs from there
# on a fresh Wine prefix, the window under a virtual display of 1280 x 720: what the zip holds
# must be all they need. With a screenshot path the screen is saved there once the window shows.
set -euo pipefail
build=$(realpath "$1")
screenshot=${2:+$(realpath "$2")}
work=$build/package-check
rm -rf "$work"
mkdir -p "$work/unpacked"

(cd "$build" && cpack -G ZIP -B "$work/pack" >/dev/null)
zips=("$work"/pack/*.zip)
(cd "$work/unpacked" && cmake -E tar xf "${zips[0]}")
folders=("$work"/unpacked/*/)
folder=${folders[0]}

for file in corvane.exe corvane-merge.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll \
    libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll qt.conf \
    plugins/platforms/qwindows.dll plugins/styles/qwindowsvistastyle.dll \
    translations/qtbase_ko.qm ToolList.tlist BitMap/Logo.bmp; do
    [ -f "$folder/$file" ] || { echo "not in the zip: $file"; exit 1; }
done
for file in Qt6Test.dll plugins/platforms/qoffscreen.dll lib; do
    [ ! -e "$folder/$file" ] || { echo "only the tests need: $file"; exit 1; }
done

export WINEPREFIX=$work/prefix WINEDEBUG=-all
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
display_file=$work/display
Xvfb -displayfd 3 -screen 0 1280x720x24 -nolisten tcp 3>"$display_file" &
xvfb=$!
trap '"$wineserver" --kill 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -s "$display_file" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$display_file")
"$wine" wineboot --init >/dev/null 2>&1

version=$(cd "$folder" && "$wine" corvane-merge.exe --version 2>/dev/null | tr -d '\r')
[[ $version == *corvane-merge* ]] || { echo "corvane-merge.exe did not start: $version"; exit 1; }

(cd "$folder" && exec "$wine" corvane.exe >/dev/null 2>&1) &
window=
for _ in $(seq 120); do
    window=$(xdotool search --onlyvisible --name '^Tessaly$' 2>/dev/null | head -n1) || true
    [ -n "$window" ] && break
    sleep 1
done
[ -n "$window" ] || { echo "corvane.exe showed no window"; exit 1; }
echo "corvane.exe shows its window: $(xdotool getwindowgeometry "$window" | tr '\n' ' ')"
if [ -n "$screenshot" ]; then
    sleep 5 # the folder tree and the table drawn
    import -window "$window" "$screenshot"
fi

#!/usr/bin/env bash
# The installation and the Debian package as a user's system sees them:
# installed into a temporary prefix, the desktop entry and the AppStream data
# validated and every file they name present; the package built, read back,
# installed into a temporary root of our own (never the real system), and its
# program run from there. Usage: packaging.sh <build folder>
set -uo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/packaging.XXXXXX")
id=com.quillfen.Morvayne
step=""

step() { step=$*; echo "== $step"; }
fail() { echo "FAIL [$step]: $*"; exit 1; }
run() { "$@" > "$work/out.txt" 2>&1 || { cat "$work/out.txt"; fail "$*"; }; }
has() { grep -qxF -- "$2" <<< "$1" || fail "missing: $2"; }

step "install into a temporary prefix"
p=$work/prefix
run cmake --install "$build" --prefix "$p"

step "desktop-file-validate"
desktop-file-validate "$p/share/applications/$id.desktop" || fail "the desktop entry is not valid"
step "appstreamcli validate"
appstreamcli validate --no-net "$p/share/metainfo/$id.metainfo.xml" || fail "the metainfo is not valid"

step "files the desktop entry names"
entry=$p/share/applications/$id.desktop
for key in Exec TryExec; do
  program=$(sed -n "s/^$key=\([^ ]*\).*/\1/p" "$entry")
  [ -x "$p/bin/$program" ] || fail "$key names $program, not in bin/"
done
icon=$(sed -n 's/^Icon=//p' "$entry")
for size in 16 22 24 32 48 64 128 256 512; do
  png=$p/share/icons/hicolor/${size}x$size/apps/$icon.png
  file "$png" | grep -q "PNG image data, $size x $size," || fail "no $size-pixel icon: $png"
done
grep -q "<svg" "$p/share/icons/hicolor/scalable/apps/$icon.svg" || fail "no scalable icon"

step "files the metainfo names"
meta=$p/share/metainfo/$id.metainfo.xml
launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$meta")
[ -f "$p/share/applications/$launchable" ] || fail "launchable $launchable is not installed"
[ "$(sed -n 's:.*<icon type="stock">\(.*\)</icon>.*:\1:p' "$meta")" = "$icon" ] || fail "the metainfo names another icon"
binary=$(sed -n 's:.*<binary>\(.*\)</binary>.*:\1:p' "$meta")
[ -x "$p/bin/$binary" ] || fail "binary $binary is not installed"

step "the launcher starts the installed program"
[ "$("$p/bin/morvayne" --version)" = "Morvayne 5.9.71" ] || fail "morvayne --version"

step "cpack -G DEB"
run cpack -G DEB -B "$work/deb" --config "$build/CPackConfig.cmake"
deb=$(ls "$work"/deb/morvayne_*_amd64.deb) || fail "no package"

step "dpkg-deb --info"
depends=$(dpkg-deb --field "$deb" Depends | tr ',' '\n' | sed 's/^ *//; s/ *(.*//; s/ |.*//')
for d in ffmpeg vlc-plugin-base fonts-lato fonts-noto-cjk libqt5core5a libqt5gui5 libqt5widgets5 libqt5network5 \
         libvlc5 libcjson1; do
  has "$depends" "$d"
done
[ "$(dpkg-deb --field "$deb" Package)" = morvayne ] || fail "package name"

step "dpkg-deb --contents"
contents=$(dpkg-deb --contents "$deb" | awk '{ $1=$2=$3=$4=$5=""; sub(/^ +/, ""); print }')
for f in ./usr/bin/morvayne ./usr/lib/morvayne/Morvayne ./usr/lib/morvayne/font/fonts.conf \
         ./usr/lib/morvayne/Lang/Lang_config ./usr/lib/morvayne/Lang/Lang_ZH.qm ./usr/lib/morvayne/Lang/Qt_ZH.qm \
         "./usr/share/applications/$id.desktop" "./usr/share/metainfo/$id.metainfo.xml" \
         "./usr/share/icons/hicolor/48x48/apps/$id.png" "./usr/share/icons/hicolor/scalable/apps/$id.svg"; do
  has "$contents" "$f"
done
# The application folder's links lead to the target system's files.
has "$contents" "./usr/lib/morvayne/ffmpeg -> /usr/bin/ffmpeg"
has "$contents" "./usr/lib/morvayne/ffprobe -> /usr/bin/ffprobe"
plugins=$(sed -n 's:^\./usr/lib/morvayne/plugins -> ::p' <<< "$contents")
[ -f "$plugins/video_output/libvmem_plugin.so" ] || fail "plugins leads to $plugins, not libvlc's plug-ins"
has "$contents" "./usr/lib/morvayne/font/Lato-Regular_0.ttf -> /usr/share/fonts/truetype/lato/Lato-Regular.ttf"
if grep -e "$build" -e "$(dirname "$build")" <<< "$contents"; then fail "the package names the build folder"; fi
if grep -v '^\./usr/' <<< "$contents" | grep -v '^\./$'; then fail "files outside /usr"; fi

step "dpkg --root: install into a temporary root"
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/triggers"
# This system's packages stand for the target's: the dependencies must be met without forcing.
cp /var/lib/dpkg/status "$root/var/lib/dpkg/status"
touch "$root/var/lib/dpkg/available"
run dpkg --root="$root" --log="$work/dpkg.log" --force-not-root --force-script-chrootless -i "$deb"
[ -x "$root/usr/bin/morvayne" ] && [ -L "$root/usr/lib/morvayne/ffmpeg" ] || fail "installed files missing"

step "the installed program converts, without a display"
mkdir -p "$work/media" "$work/converted"
run ffmpeg -v error -f lavfi -i sine=duration=2 "$work/media/tone.wav"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
  "$root/usr/bin/morvayne" --convert --format mp3 --out "$work/converted" "$work/media/tone.wav" > "$work/out.txt" 2>&1 \
  || { cat "$work/out.txt"; fail "conversion"; }
[ -s "$work/converted/tone.mp3" ] || fail "no output"

rm -rf "$work"
echo "packaging: all steps passed"

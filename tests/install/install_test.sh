#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary DESTDIR and runs both programs from there with an empty home: they must
# find their data below the prefix, write only into the user's folder, keep what the user has, and leave the
# install tree as it was. Also validates the desktop entry and the AppStream metadata as installed.
#   install_test.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1 id=$2
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
root="$work/root" home="$work/home"
prefix="$root/usr"
mkdir -p "$home"
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
listing() { (cd "$root" && find . -printf '%p %M %s %T@\n' | sort && find . -type f -exec sha256sum {} + | sort); }
listing >"$work/before"

for file in bin/zentora bin/zentora-cli share/zentora/Einstellungen/data.ini share/zentora/Einstellungen/Sprache.csv \
    share/zentora/Einstellungen/1280x800.ini share/zentora/Einstellungen/zentora.html share/zentora/Save/Beispiel.prm \
    share/zentora/Bilder/Hintergrund.bmp share/zentora/Buttonunten/0.bmp share/zentora/Font/A.bmp \
    "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml" "share/mime/packages/$id.xml" \
    "share/icons/hicolor/48x48/apps/$id.png" "share/icons/hicolor/128x128/apps/$id.png" \
    "share/icons/hicolor/256x256/apps/$id.png" "share/icons/hicolor/scalable/apps/$id.svg" \
    share/man/man1/zentora.1.gz share/man/man1/zentora-cli.1.gz share/doc/zentora/copyright; do
    [ -f "$prefix/$file" ] || fail "not installed: $file"
done
desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$id.metainfo.xml" || fail "AppStream metadata"

run() { env -i PATH=/usr/bin:/bin HOME="$home" QT_QPA_PLATFORM=offscreen "$@"; }
user="$home/.local/share/zentora"

# The CLI reads the shipped data.ini and writes nothing.
run "$prefix/bin/zentora-cli" replay "$prefix/share/zentora/Save/Beispiel.prm" >"$work/shipped.json"
grep -q '"spins":' "$work/shipped.json" || fail "zentora-cli replay printed no play state"
[ ! -e "$home/.local" ] || fail "zentora-cli wrote into the home folder"

# The desktop program: first start seeds the user's folder, enters two spins and closes.
run ZENTORA_TEST_SPINS="5 17" ZENTORA_TEST_QUIT=1 ZENTORA_TEST_ANSWERS="Nein" timeout 120 "$prefix/bin/zentora" \
    >"$work/gui.out" 2>"$work/gui.err" || fail "zentora: $(cat "$work/gui.err")"
grep -q "Eingegeben: 2" "$work/gui.out" || fail "zentora did not take the spins: $(cat "$work/gui.out")"
! grep -i "missing\|fehlt\|nicht gefunden" "$work/gui.err" || fail "zentora misses data"
cmp -s "$user/Einstellungen/data.ini" "$prefix/share/zentora/Einstellungen/data.ini" || fail "data.ini not seeded"
cmp -s "$user/Save/Beispiel.prm" "$prefix/share/zentora/Save/Beispiel.prm" || fail "sample not seeded"
[ ! -e "$user/Bilder/Hintergrund.bmp" ] || fail "read-only pictures copied into the user's folder"

# The user's own settings stay and are what both programs use: every rule switched on gives other stakes.
sed -i -E 's/^(Checkbox[0-9]+)=0/\1=1/' "$user/Einstellungen/data.ini"
cp "$user/Einstellungen/data.ini" "$work/mine.ini"
run ZENTORA_TEST_QUIT=1 timeout 120 "$prefix/bin/zentora" >/dev/null 2>&1 || fail "zentora, second start"
cmp -s "$user/Einstellungen/data.ini" "$work/mine.ini" || fail "the user's data.ini was replaced"
run "$prefix/bin/zentora-cli" replay "$prefix/share/zentora/Save/Beispiel.prm" >"$work/mine.json"
! cmp -s "$work/shipped.json" "$work/mine.json" || fail "zentora-cli ignores the user's data.ini"

# A broken install says what is missing instead of running without data.
cp -a "$root" "$work/broken"
rm -rf "$work/broken/usr/share/zentora"
status=0
run "$work/broken/usr/bin/zentora-cli" replay "$prefix/share/zentora/Save/Beispiel.prm" >/dev/null \
    2>"$work/broken.err" || status=$?
[ "$status" -eq 1 ] && grep -q "share/zentora/Einstellungen" "$work/broken.err" ||
    fail "missing data: status $status, $(cat "$work/broken.err")"

listing >"$work/after"
diff -u "$work/before" "$work/after" || fail "the install tree changed"
echo "install tree, per-user folder and validators: ok"

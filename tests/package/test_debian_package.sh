#!/usr/bin/env bash
# The Debian package as a user gets it: built with cpack from the build tree, its control
# data and files, unpacked into a scratch root (nothing is installed on this machine) where
# the installed programs find their templates, and its desktop pieces validated and resolved
# against a scratch copy of the MIME database; lintian finds no error or warning in it.
# Usage: test_debian_package.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$(realpath "$1")
source=$(realpath "$2")
scratch=$(mktemp -d "${TMPDIR:-/tmp}/korvanta-package.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
app=org.korvanta.Korvanta

# --- Build ------------------------------------------------------------------------------------
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/cpack" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log" >&2; exit 1; }
debs=("$scratch"/cpack/korvanta_*_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: no korvanta_<version>_<arch>.deb" >&2; exit 1; }
deb=${debs[0]}
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

# --- Control data -----------------------------------------------------------------------------
field() { dpkg-deb -f "$deb" "$1"; }
depends=$(field Depends)
echo "Depends: $depends"
for needed in libzip libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins fonts-liberation2; do
  [[ ", $depends" == *", $needed"* ]] || fail "Depends lacks $needed"
done
[ "$(field Section)" = science ] || fail "Section is '$(field Section)', not science"
[[ "$(field Maintainer)" == *"<"*"@"*">" ]] || fail "Maintainer '$(field Maintainer)' has no address"
[ "$(field Package)" = korvanta ] || fail "Package is '$(field Package)'"
description=$(field Description)
[ "$(printf '%s\n' "$description" | wc -l)" -gt 2 ] || fail "no long description"

# --- Files ------------------------------------------------------------------------------------
dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's|^\./|/|' >"$scratch/contents"
expected=(/usr/bin/korvanta /usr/bin/korvanta-gui /usr/libexec/korvanta/korvanta-serve
  /usr/share/man/man1/korvanta.1.gz
  /usr/share/man/man1/korvanta-gui.1.gz /usr/share/doc/korvanta/copyright
  /usr/share/doc/korvanta/changelog.gz /usr/share/bash-completion/completions/korvanta
  /lib/systemd/system/korvanta-serve.service /etc/default/korvanta-serve
  /usr/share/applications/$app.desktop /usr/share/metainfo/$app.metainfo.xml
  /usr/share/mime/packages/$app.xml /usr/share/icons/hicolor/scalable/apps/$app.svg)
for size in 16 22 24 32 48 64 128 256; do
  expected+=(/usr/share/icons/hicolor/${size}x${size}/apps/$app.png)
done
for template in brad brad6 brad6_2 concentration dnarna dnarna_dye kinetics od600 OD600_OD \
  photomet tm wlscan; do
  expected+=(/usr/share/korvanta/template/$template.xlsx)
done
for file in "${expected[@]}"; do
  grep -qxF "$file" "$scratch/contents" || fail "the package lacks $file"
done

# --- The service: installed, its settings kept over upgrades, not enabled --------------------
dpkg-deb -e "$deb" "$scratch/control"
grep -qxF /etc/default/korvanta-serve "$scratch/control/conffiles" ||
  fail "/etc/default/korvanta-serve is not a conffile"
for script in preinst postinst; do
  [ ! -e "$scratch/control/$script" ] || ! grep -q "enable" "$scratch/control/$script" ||
    fail "$script enables the service"
done

# --- lintian: no error, no warning ------------------------------------------------------------
lintian --tag-display-limit 0 --fail-on error,warning "$deb" >"$scratch/lintian.log" 2>&1 ||
  fail "lintian: $(cat "$scratch/lintian.log")"

# --- Installed into a scratch root ------------------------------------------------------------
root=$scratch/root
dpkg-deb -x "$deb" "$root"
# An empty home: no templates of the user running the test take part.
export HOME=$scratch/home XDG_DATA_HOME=$scratch/home/.local/share
mkdir -p "$HOME"
examples=("$source"/examples/*)
if ! "$root/usr/bin/korvanta" convert -q -d "$scratch/reports" "${examples[@]}"; then
  fail "the installed korvanta did not convert every example"
fi
reports=("$scratch"/reports/*.xlsx)
[ ${#reports[@]} -eq ${#examples[@]} ] || fail "${#reports[@]} reports for ${#examples[@]} examples"
listing=$("$root/usr/bin/korvanta" templates) || fail "korvanta templates reports a missing template"
[[ "$listing" == *"  installed  $root/usr/share/korvanta/template"$'\n'* ]] ||
  fail "korvanta templates does not show the installed folder: $listing"
QT_QPA_PLATFORM=offscreen "$root/usr/bin/korvanta-gui" --screenshot "$scratch/window.png" ||
  fail "the installed korvanta-gui does not start"

# --- Desktop pieces ---------------------------------------------------------------------------
desktop_file=$root/usr/share/applications/$app.desktop
desktop-file-validate "$desktop_file" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app.metainfo.xml" ||
  fail "appstreamcli validate"

# The machine's MIME database plus ours, and our menu entry, in a scratch data folder.
data=$scratch/data
mkdir -p "$data/mime/packages" "$data/applications"
cp /usr/share/mime/packages/*.xml "$data/mime/packages/"
cp "$root/usr/share/mime/packages/$app.xml" "$data/mime/packages/"
update-mime-database "$data/mime" 2>/dev/null
cp "$desktop_file" "$data/applications/"
update-desktop-database "$data/applications" 2>/dev/null
# The desktop lists an entry only when its program is on the PATH.
export XDG_DATA_DIRS=$data XDG_DATA_HOME=$scratch/empty PATH=$root/usr/bin:$PATH
content_type() {
  echo "x" >"$scratch/sample.$1"
  gio info -a standard::content-type "$scratch/sample.$1" | sed -n 's/.*content-type: //p'
}
declare -A designed=([pro]=application/x-korvanta-protein [con]=application/x-korvanta-concentration
  [nuc]=application/x-korvanta-dnarna [tsc]=application/x-korvanta-kinetics
  [od]=application/x-korvanta-od600 [PHT]=application/x-korvanta-photometry
  [tm]=application/x-korvanta-tm [wsc]=application/x-wonderswan-color-rom)
for extension in "${!designed[@]}"; do
  type=$(content_type "$extension")
  [ "$type" = "${designed[$extension]}" ] || fail "*.$extension is '$type', not ${designed[$extension]}"
  # Offered by "Open With" for every type, including the one that another program owns.
  [[ "$(gio mime "${designed[$extension]}")" == *"$app.desktop"* ]] ||
    fail "Korvanta is not offered for *.$extension"
done
grep -q ":\*\.wsc$" "$data/mime/globs2" && ! grep -q "korvanta.*:\*\.wsc$" "$data/mime/globs2" ||
  fail "*.wsc is taken from its owner"
while read -r parent; do
  [ "$parent" = text/plain ] || fail "an export type is not a subclass of text/plain: $parent"
done < <(grep '^application/x-korvanta-' "$data/mime/subclasses" | cut -d' ' -f2)

[ "$failures" -eq 0 ] || exit 1
echo "the package is complete"

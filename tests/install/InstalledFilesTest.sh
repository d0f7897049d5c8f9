#!/usr/bin/env bash
# Installs the build into a temporary root and checks what a desktop reads of
# it: the desktop entry and the metainfo by their validators, the file types by
# the MIME database, and that the installed program finds its data files.
# A validator that is not installed is skipped; the test then reports "skipped".
#   InstalledFilesTest.sh BUILD_DIR
set -euo pipefail
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
usr=$root/usr
id=$(basename "$usr"/share/applications/*.desktop .desktop)
skipped=0
fail() { echo "FAIL: $*"; exit 1; }
have() { command -v "$1" >/dev/null || { echo "SKIP: $1 is not installed"; skipped=1; return 1; }; }

for f in bin/tessel bin/tessel-grp bin/tessel-script share/tessel/CNFcs.qcf share/tessel/cnfcs.ccf share/tessel/EDFcs.qcf \
         share/metainfo/$id.metainfo.xml share/icons/hicolor/scalable/apps/$id.svg \
         share/icons/hicolor/48x48/apps/$id.png share/man/man1/tessel.1.gz share/doc/tessel/copyright; do
  [ -e "$usr/$f" ] || fail "$f is not installed"
done

# Installed, the colour files come from ../share/tessel; the home is the test's own.
mkdir "$root/home"
printf 'actor x;\n' > "$root/a.con"
out=$(HOME=$root/home XDG_CONFIG_HOME= "$usr/bin/tessel-script" colours "$root/a.con")
[ "$out" = $'0 5 $FF0000\n5 4 $000000' ] || fail "installed colours: $out"

if have desktop-file-validate; then desktop-file-validate "$usr/share/applications/$id.desktop" || fail "desktop entry"; fi
if have appstreamcli; then appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml" || fail metainfo; fi
if have update-mime-database && have gio; then
  update-mime-database "$usr/share/mime"
  printf 'KenSilverman\0\0\0\0' > "$root/DUKE3D.GRP"
  cp "$root/DUKE3D.GRP" "$root/archive.bin"
  printf '{\\rtf1 x}' > "$root/notes.QZT"
  printf 'void() main = {};\n' > "$root/progs.qc"
  for pair in a.con=text/x-duke3d-con DUKE3D.GRP=application/x-duke3d-grp archive.bin=application/x-duke3d-grp \
              notes.QZT=application/x-tessel-project progs.qc=text/x-quakec; do
    type=$(XDG_DATA_DIRS=$usr/share:/usr/share XDG_DATA_HOME=$root/home gio info -a standard::content-type \
           "$root/${pair%%=*}" | sed -n 's/.*standard::content-type: //p')
    [ "$type" = "${pair#*=}" ] || fail "${pair%%=*} is $type"
  done
fi
[ $skipped = 0 ] || exit 77
echo "installed files pass"

#!/usr/bin/env bash
# Installs the build tree into a scratch prefix and checks that a desktop
# would offer kavor for HP-GL files: the programs, the .desktop entry, the
# MIME type with its globs, and the icon.
# Usage: install_test.sh BUILD_DIR
set -u
build=${1:?build directory}
prefix=$(mktemp -d "${TMPDIR:-/tmp}/kavor-install-XXXXXX")
trap 'rm -rf "$prefix"' EXIT
failed=0
fail() { echo "FAIL: $1"; failed=1; }

cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install"
for program in kavor kavor-convert; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program"
done
desktop="$prefix/share/applications/kavor.desktop"
grep -qx 'Exec=kavor %f' "$desktop" || fail "Exec line in kavor.desktop"
grep -qx 'MimeType=application/vnd.hp-hpgl;' "$desktop" || fail "MimeType line in kavor.desktop"
grep -qx 'Icon=kavor' "$desktop" || fail "Icon line in kavor.desktop"
[ -s "$prefix/share/icons/hicolor/scalable/apps/kavor.svg" ] || fail "icon"
mime="$prefix/share/mime/packages/kavor.xml"
[ -s "$mime" ] || fail "MIME package"
# The MIME database built from the package knows every extension.
if command -v update-mime-database >/dev/null; then
  update-mime-database "$prefix/share/mime" >/dev/null 2>&1 || fail "update-mime-database"
  for ext in plt hpgl hgl hpg gl; do
    grep -q "application/vnd.hp-hpgl:\*\.$ext\$" "$prefix/share/mime/globs2" || fail "glob *.$ext"
  done
fi
# The installed program runs.
"$prefix/bin/kavor-convert" --help >/dev/null || fail "installed kavor-convert runs"
[ $failed -eq 0 ] && echo "install layout complete"
exit $failed

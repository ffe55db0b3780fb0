#!/usr/bin/env bash
# Installs the build into a staging folder as a package would (prefix /usr),
# runs the installed tools through their links, validates the desktop
# integration files, checks that a renamed document is known by its header,
# and builds the Debian package, printing its control data and contents.
#   install_test.sh BUILD_DIR MIME_PROBE
set -uo pipefail
build=$1
probe=$2
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
stage=$work/stage
failures=0
check() { # description, command...
  local what=$1; shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
need() { # tool: missing tools fail under CI (QX_CI=1), skip by hand
  command -v "$1" >/dev/null && return 0
  if [ "${QX_CI:-}" = 1 ]; then echo "FAILED: $1 is not installed (tools/bootstrap installs it)"; exit 1; fi
  echo "skipped: $1 is not installed"; return 1
}

DESTDIR=$stage cmake --install "$build" --prefix /usr >"$work/install.log" || { cat "$work/install.log"; exit 1; }
usr=$stage/usr
lib=$usr/lib/qxseek
for f in qxseek qxseek-cli qxenu.so qxrus.so qxenu.html qxrus.html norba.gif qsearch.so qsearch.json; do
  check "program folder holds $f" test -f "$lib/$f"
done
for f in qxseek qxseek-cli; do
  check "bin/$f links into the program folder" \
    test "$(readlink "$usr/bin/$f")" = "../lib/qxseek/$f"
done
for f in applications/qxseek.desktop mime/packages/qxseek.xml \
         metainfo/org.example.norbaseek.qxseek.metainfo.xml \
         icons/hicolor/scalable/apps/qxseek.svg icons/hicolor/16x16/apps/qxseek.png \
         icons/hicolor/32x32/apps/qxseek.png icons/hicolor/48x48/apps/qxseek.png \
         icons/hicolor/128x128/apps/qxseek.png; do
  check "share/$f" test -f "$usr/share/$f"
done

# The installed tool through its link: help, a document round trip, and the
# language modules found beside the real file.
cli=$usr/bin/qxseek-cli
check "qxseek-cli --help" "$cli" --help >/dev/null
if (cd "$work" && "$cli" new refs.qxo && "$cli" file refs.qxo https://example.org/a/b.html &&
    "$cli" stats refs.qxo >stats.txt); then
  check "new, file and stats from the staged install" grep -q '^hosts: 1$' "$work/stats.txt"
else
  check "new, file and stats from the staged install" false
fi
"$cli" version >"$work/version.txt"
cat "$work/version.txt"
check "modules found through the link" grep -q "program folder: $lib\$" "$work/version.txt"
check "both languages found" grep -q '^language: rus ' "$work/version.txt"
check "the installed search module's definitions are valid" \
  "$cli" engines --check "$lib/qsearch.json"
# Run through PATH by its bare name, as from a shell, with none of the test's
# variables: the definitions are found in the program folder all the same.
(cd "$work" && env -i HOME="$work" PATH="$usr/bin:/usr/bin:/bin" qxseek-cli engines >engines.txt)
check "engines through PATH finds the shipped definitions" \
  grep -q "^definitions: $lib/qsearch.json\$" "$work/engines.txt"
check "engines through PATH lists the shipped engines" grep -q '^ 4  Wikipedia ' "$work/engines.txt"

if need desktop-file-validate; then
  check "desktop entry validates" desktop-file-validate "$usr/share/applications/qxseek.desktop"
fi
if need xmllint; then
  check "MIME description is well-formed" xmllint --noout "$usr/share/mime/packages/qxseek.xml"
fi
if need appstreamcli; then
  check "AppStream description validates" \
    appstreamcli validate --no-net "$usr/share/metainfo/org.example.norbaseek.qxseek.metainfo.xml"
fi
if need update-mime-database; then
  update-mime-database "$usr/share/mime" >/dev/null 2>&1
  cp "$work/refs.qxo" "$work/renamed.dat"
  type=$(XDG_DATA_DIRS="$usr/share:/usr/share" QT_QPA_PLATFORM=offscreen "$probe" "$work/renamed.dat")
  check "a renamed document is $type by its header" test "$type" = application/x-qxseek-document
fi

# CPack's Debian generator asks file(1) about every installed binary.
if need dpkg-deb && need dpkg-shlibdeps && need file; then
  (cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" >"$work/cpack.log" 2>&1) ||
    { cat "$work/cpack.log"; }
  deb=$(ls "$work"/deb/qxseek_*.deb 2>/dev/null | head -n 1)
  check "the Debian package was built" test -n "$deb"
  if [ -n "$deb" ]; then
    dpkg-deb -I "$deb"
    dpkg-deb -c "$deb"
    check "the package depends on Qt and libcurl" \
      sh -c "dpkg-deb -f '$deb' Depends | grep -q libqt6widgets6 && dpkg-deb -f '$deb' Depends | grep -q libcurl"
    check "the package holds the program folder" sh -c "dpkg-deb -c '$deb' | grep -q './usr/lib/qxseek/qxenu.so'"
  fi
fi

echo "$failures failed"
[ "$failures" -eq 0 ]

#!/usr/bin/env bash
# The Debian package as a user gets it: built by `make package`, its metadata
# validated, lintian without errors, then installed with dpkg into a fresh
# folder tree, run from there, and removed again without a trace.
# Usage: scripts/check-package.sh [BUILD]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}

make --no-print-directory package BUILD="$BUILD"
deb=$(ls "$BUILD"/package/velquor_*.deb)
echo "package: $deb"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "check-package: $*" >&2; exit 1; }

# The libraries' packages were found by dpkg-shlibdeps from the binaries.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libc6 libstdc++6 libqt6widgets6 libxml2 zlib1g; do
  grep -q "\b$lib\b" <<< "$depends" || fail "Depends does not name $lib"
done

# The package installs here: every dependency is met by this machine's
# packages, the ones the installed programs will load below.
IFS=',' read -ra clauses <<< "$depends"
for clause in "${clauses[@]}"; do
  met=""
  IFS='|' read -ra alternatives <<< "$clause"
  for alternative in "${alternatives[@]}"; do
    read -r name op version <<< "$(tr -d '()' <<< "$alternative")"
    have=$(dpkg-query -W -f='${Version}' "$name" 2>/dev/null || true)
    if [ -n "$have" ] && { [ -z "$op" ] || dpkg --compare-versions "$have" "$op" "$version"; }; then met=yes; fi
  done
  [ -n "$met" ] || fail "this machine does not meet the dependency$clause"
done

# Metadata, from the files the package holds.
dpkg-deb -x "$deb" "$work/contents"
appstreamcli validate --no-net --pedantic "$work/contents/usr/share/metainfo/org.orvak.velquor.metainfo.xml"
desktop-file-validate "$work/contents/usr/share/applications/velquor.desktop"
# Every screenshot the software centre shows is a file of docs/.
grep -o 'docs/[^<]*' "$work/contents/usr/share/metainfo/org.orvak.velquor.metainfo.xml" | while read -r shot; do
  [ -f "$shot" ] || fail "the metainfo names $shot, which docs/ does not have"
done

# Lintian: errors fail; the warnings left are printed for the record.
lintian --fail-on error --tag-display-limit 0 "$deb" | tee "$work/lintian.txt"
echo "lintian: $(grep -c '^E:' "$work/lintian.txt" || true) errors, $(grep -c '^W:' "$work/lintian.txt" || true) warnings"

# Installed into an empty tree with its own package database. The libraries
# the programs load come from this machine, which the Depends line names.
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/triggers"
touch "$root/var/lib/dpkg/status" "$root/var/lib/dpkg/available"
dpkg_root() { dpkg --root="$root" --log=/dev/null --force-not-root --force-depends "$@"; }
# The empty tree has none of the dependencies, which the machine met above.
dpkg_root -i "$deb" > "$work/dpkg-install.txt" 2>&1 || { cat "$work/dpkg-install.txt"; fail "dpkg -i failed"; }
dpkg_root -s velquor | grep -q '^Status: install ok installed' || fail "dpkg does not list velquor as installed"

bin=$root/usr/bin
"$bin/velquor-render" --version | tee "$work/version.txt"
grep -qx "velquor-render $(dpkg-deb -f "$deb" Version)" "$work/version.txt" || fail "--version does not name the package's version"
# A gallery document finds its palette among the installed files and draws
# the same picture as the build does.
doc=$(ls "$root"/usr/share/velquor/gallery/*.vqp | head -n 1)
"$bin/velquor-render" "$doc" --size 96x64 -o "$work/installed.png"
"$BUILD/bin/velquor-render" "$BUILD/bin/gallery/$(basename "$doc")" --size 96x64 -o "$work/built.png"
cmp "$work/installed.png" "$work/built.png" || fail "the installed renderer draws $doc differently"
# The English translation and help page are installed, and the installed
# renderer speaks English where the environment asks for it.
for f in usr/share/velquor/translations/velquor_en.qm usr/share/velquor/Velquor.en.html; do
  [ -f "$root/$f" ] || fail "not installed: $f"
done
set +e
english=$(env -u LC_ALL -u LC_MESSAGES LANG=en_US.UTF-8 "$bin/velquor-render" --palette "$work/missing.mcf" 2>&1)
set -e
grep -q "Cannot open the file" <<< "$english" || fail "the installed renderer does not speak English: $english"
for page in velquor velquor-render; do
  [ -f "$root/usr/share/man/man1/$page.1.gz" ] || fail "no manual page $page(1)"
done
# The window starts from the installed files (offscreen it runs until stopped).
set +e
QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$work/config timeout 2 "$bin/velquor" > /dev/null 2>&1
status=$?
set -e
[ "$status" -eq 124 ] || fail "the installed velquor did not keep running (status $status)"

# Removed again: nothing of the package stays but dpkg's own database.
dpkg_root --purge velquor > /dev/null
left=$(cd "$root" && find . -mindepth 1 -not -path './var/lib/dpkg*' -not -path './var/lib' -not -path './var')
[ -z "$left" ] || fail "left behind after removal: $left"
dpkg_root -s velquor > /dev/null 2>&1 && fail "dpkg still lists velquor after the purge"
echo "package installed, run and removed cleanly"

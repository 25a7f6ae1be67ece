# The Debian package: cpack -G DEB builds it from the install rules, and its
# listing must hold the game, its data, the command link (in /usr/games, as
# Debian puts games), the desktop entry, every icon size, the manual page,
# the copyright and the changelog, and nothing else; it may depend only on
# Debian packages, and lintian (when installed) finds no error or warning.
# Needs no display; a few seconds once the build is done.
. "$(dirname "$0")/harness.sh"
build=$(cd "$1/.." && pwd)
E2E_SCRATCH=$(mktemp -d /tmp/borlin-e2e-XXXXXX)

(cd "$E2E_SCRATCH" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$E2E_SCRATCH/out") \
  >"$E2E_SCRATCH/cpack.txt" 2>&1 || e2e_fail "cpack failed: $(tail -5 "$E2E_SCRATCH/cpack.txt")"
deb=$(ls "$E2E_SCRATCH"/out/borlin_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || e2e_fail "no borlin_*.deb written"

echo "--- $(basename "$deb")"
dpkg-deb -c "$deb" | tee "$E2E_SCRATCH/contents.txt"
dpkg-deb -f "$deb" Package Version Architecture Section Depends

# Every file and link, by path; folders are implied.
awk '$1 !~ /^d/ { print $6 }' "$E2E_SCRATCH/contents.txt" | sort >"$E2E_SCRATCH/files.txt"
{
  echo ./usr/games/borlin
  for f in borlin borlin.dat kestal.dat mapdatap.dat smapdatap.dat enemymapp.dat; do
    echo "./usr/lib/borlin/$f"
  done
  echo ./usr/share/applications/borlin.desktop
  for s in 16 22 24 32 48 64 128 256; do
    echo "./usr/share/icons/hicolor/${s}x${s}/apps/borlin.png"
  done
  echo ./usr/share/man/man6/borlin.6.gz
  echo ./usr/share/doc/borlin/README.md
  echo ./usr/share/doc/borlin/copyright
  echo ./usr/share/doc/borlin/changelog.gz
} | sort >"$E2E_SCRATCH/expected.txt"
diff -u "$E2E_SCRATCH/expected.txt" "$E2E_SCRATCH/files.txt" >"$E2E_SCRATCH/diff.txt" ||
  e2e_fail "the package does not hold exactly the expected files: $(cat "$E2E_SCRATCH/diff.txt")"
grep -q '^l.* ./usr/games/borlin -> ../lib/borlin/borlin$' "$E2E_SCRATCH/contents.txt" ||
  e2e_fail "usr/games/borlin is not a relative link to the game"
grep -q '^-rwxr-xr-x .* ./usr/lib/borlin/borlin$' "$E2E_SCRATCH/contents.txt" ||
  e2e_fail "the game is not executable"

depends=$(dpkg-deb -f "$deb" Depends)
echo "$depends" | grep -q 'liballegro4\.4' || e2e_fail "no dependency on liballegro4.4: $depends"
# Each dependency is a Debian package: this Debian system has it installed.
for p in $(echo "$depends" | tr ',|' '\n\n' | sed -e 's/(.*)//' -e 's/ //g'); do
  dpkg-query -W "$p" >/dev/null 2>&1 || e2e_fail "dependency $p is not a Debian package here"
done

# The desktop entry names the command and icon the package holds.
mkdir "$E2E_SCRATCH/x"
dpkg-deb -x "$deb" "$E2E_SCRATCH/x"
entry=$E2E_SCRATCH/x/usr/share/applications/borlin.desktop
grep -qx 'Exec=borlin' "$entry" && grep -qx 'Icon=borlin' "$entry" && grep -qx 'Type=Application' "$entry" ||
  e2e_fail "the desktop entry does not start borlin with its icon"
gzip -t "$E2E_SCRATCH/x/usr/share/man/man6/borlin.6.gz" || e2e_fail "the manual page is not valid gzip"
grep -q '^License: Expat' "$E2E_SCRATCH/x/usr/share/doc/borlin/copyright" ||
  e2e_fail "the copyright file names no licence"

if command -v lintian >/dev/null; then
  lintian --fail-on error,warning "$deb" >"$E2E_SCRATCH/lintian.txt" 2>&1 ||
    e2e_fail "lintian: $(cat "$E2E_SCRATCH/lintian.txt")"
  cat "$E2E_SCRATCH/lintian.txt"
fi
e2e_pass

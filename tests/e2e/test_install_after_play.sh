# README's install steps right after ./play.sh: play.sh builds only the
# targets it names (the game and its data), and `cmake --install` must find
# everything it copies after that. The generated files the install needs
# are removed, play.sh's targets built again, and the install into a
# scratch prefix must succeed with every file; then README's uninstall
# steps, run in that prefix, must leave no file of the game behind.
. "$(dirname "$0")/harness.sh"
build=$(cd "$1/.." && pwd)
root=$(cd "$(dirname "$0")/../.." && pwd)
E2E_SCRATCH=$(mktemp -d /tmp/borlin-e2e-XXXXXX)
prefix=$E2E_SCRATCH/prefix

targets=$(sed -n 's/^borlin_build .* -- //p' "$root/play.sh")
[ -n "$targets" ] || e2e_fail "no targets found in play.sh"
rm -f "$build"/packaging/*.gz "$build"/packaging/copyright
for t in $targets; do
  cmake --build "$build" --target "$t" >"$E2E_SCRATCH/build.txt" 2>&1 ||
    e2e_fail "building $t failed: $(tail -5 "$E2E_SCRATCH/build.txt")"
done
cmake --install "$build" --prefix "$prefix" >"$E2E_SCRATCH/install.txt" 2>&1 ||
  e2e_fail "cmake --install failed: $(tail -5 "$E2E_SCRATCH/install.txt")"
for f in bin/borlin lib/borlin/borlin lib/borlin/borlin.dat share/man/man6/borlin.6.gz \
  share/doc/borlin/README.md share/doc/borlin/copyright share/doc/borlin/changelog.gz \
  share/applications/borlin.desktop share/icons/hicolor/48x48/apps/borlin.png; do
  [ -e "$prefix/$f" ] || e2e_fail "$f was not installed"
done
"$prefix/bin/borlin" --version | grep -qx "borlin [0-9.]*" || e2e_fail "the installed command has no version"

# README's uninstall commands, from "cd /usr/local" to the blank line.
sed -n '/^    cd \/usr\/local$/,/^$/p' "$root/README.md" | sed -e 's/^    //' -e 's/sudo //' \
  -e "s|^cd /usr/local\$|cd '$prefix'|" >"$E2E_SCRATCH/uninstall.sh"
grep -q 'rm ' "$E2E_SCRATCH/uninstall.sh" || e2e_fail "no uninstall steps found in README"
bash -e "$E2E_SCRATCH/uninstall.sh" || e2e_fail "README's uninstall steps failed"
left=$(find "$prefix" ! -type d)
[ -z "$left" ] || e2e_fail "README's uninstall steps left: $left"
e2e_pass

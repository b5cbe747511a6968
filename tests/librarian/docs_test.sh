#!/usr/bin/env bash
# What the user guide and the README tell a user, against what the program
# and the scripts do:
# - a Brontisel S setup file holds its programs but no global settings (the
#   device saves them as a separate global file), so the guide must not call
#   a setup a copy of the whole synthesizer;
# - a tool the README tells to run is one the install script installs, or
#   the README says which package brings it.
# Argument: the source folder.
set -u
source_dir=$1
failed=0
fail() { echo "$*"; failed=1; }

guide="$source_dir/librarian/help/tolvane.ms"
# The guide's text as one line: rendered without hyphenation where groff is
# there, else its source without the requests.
if command -v groff >/dev/null; then
  text=$(groff -ms -rHY=0 -Tutf8 -P-cbou "$guide" 2>/dev/null)
else
  text=$(grep -v '^\.' "$guide")
fi
text=$(tr '\n' ' ' <<<"$text" | tr -s ' ')
grep -qi "whole synthesizer" <<<"$text" &&
  fail "the guide says a setup is a whole synthesizer: $(grep -oi '[^.]*whole synthesizer[^.]*' <<<"$text")"
grep -Eqi 'Brontisel S[^.]*no global settings' <<<"$text" ||
  fail "the guide does not say that a Brontisel S setup holds no global settings"
grep -Eqi '\.glb' <<<"$text" || fail "the guide names no global file (.glb)"

readme="$source_dir/README.md"
install="$source_dir/scripts/install-deps.sh"
# Tool a README step runs, and the Debian package it comes in.
for pair in "import:imagemagick"; do
  tool=${pair%%:*}
  package=${pair#*:}
  grep -q "\`$tool " "$readme" || continue
  grep -qw "$package" "$install" && continue
  grep -Eq "apt-get install[^\`]*\b$package\b" "$readme" ||
    fail "the README runs '$tool', which neither scripts/install-deps.sh installs nor the README says to install ($package)"
done

[ "$failed" -eq 0 ] && echo "the guide and the README tell what the program and the scripts do"
exit "$failed"

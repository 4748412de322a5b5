#!/bin/sh
# Compiles install/help into install/Tabulo.chm with a CHM compiler when one is
# installed: Free Pascal's chmcmd (Debian package fp-utils) or Microsoft's hhc.
# Without one, the HTML pages in install/help are the help.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/help"
if command -v chmcmd >/dev/null 2>&1; then
  chmcmd tabulo.hhp
elif command -v hhc >/dev/null 2>&1; then
  hhc tabulo.hhp || true  # hhc exits 1 on success
else
  echo "No CHM compiler (chmcmd or hhc) found; the help stays as HTML in $here/help." >&2
  exit 1
fi
mv -f Tabulo.chm "$here/Tabulo.chm"
echo "Wrote $here/Tabulo.chm"

#!/usr/bin/env bash
# Makes the screen font of the browser edition: DejaVu Sans Mono cut down to
# the 256 characters of code page 866 as the kit shows them (machine/cp866.h).
# Needs fonts-dejavu-core and python3-fonttools (with python3-brotli); the
# result is kept in the repository, so building the web folder needs neither.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
table="$here/../../machine/cp866.h"
codes="$(/usr/bin/python3 - "$table" <<'PY'
import re, sys
text = open(sys.argv[1], encoding="utf-8").read()
body = text[text.index("CP866_UNICODE"):]
body = body[:body.index("};")]
points = set()
for lit in re.findall(r"U'((?:\\u[0-9A-Fa-f]{4})|\\.|[^'])'", body):
    if lit.startswith("\\u"):
        points.add(int(lit[2:], 16))
    elif lit.startswith("\\"):
        points.add(ord(lit[1]))
    else:
        points.add(ord(lit))
if len(points) < 250:
    sys.exit("could not read the code page table")
print(",".join("U+%04X" % p for p in sorted(points)))
PY
)"
/usr/bin/python3 -m fontTools.subset /usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf \
  --unicodes="$codes" --flavor=woff2 --layout-features='' --no-hinting \
  --desubroutinize --name-IDs='*' --output-file="$here/DejaVuSansMono-kit.woff2"
ls -l "$here/DejaVuSansMono-kit.woff2"

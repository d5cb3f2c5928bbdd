#!/bin/sh
# utf16.sh SOURCE TARGET
# UTF-8 text (LF line ends) to the UTF-16LE file the program reads: a
# byte-order mark, CR LF line ends.
set -e
tmp="$2.tmp"
printf '\377\376' > "$tmp"
sed 's/\r*$/\r/' "$1" | iconv -f UTF-8 -t UTF-16LE >> "$tmp"
mv "$tmp" "$2"

#!/bin/sh
# The manual page never breaks a word across lines: no line of it, formatted at any width
# from 50 to 120 columns, ends in a letter or digit followed by a hyphen.
# Usage: man_page_words.sh NROFF PAGE
nroff=$1
page=$2
status=0
for width in $(seq 50 120); do
  broken=$(LC_ALL=C "$nroff" -man -rLL="${width}n" "$page" 2>/dev/null | grep -n '[[:alnum:]]-$')
  if [ -n "$broken" ]; then
    echo "width $width: $broken"
    status=1
  fi
done
# The page must have been formatted at all.
LC_ALL=C "$nroff" -man "$page" 2>/dev/null | grep -q 'Cada resposta' || { echo "not formatted"; status=1; }
exit $status

#!/bin/bash
# Writes the readings (hiragana) of the composition table's food names, so that
# the material search finds 薄力粉 by "はくりき". Run by hand when the table
# changes; needs Debian's mecab and mecab-ipadic-utf8. The result is shipped
# beside the table: resources/food-composition-2020/readings.tsv
# (food number, TAB, reading; UTF-8, LF).
set -euo pipefail
table=${1:-resources/food-composition-2020}
cut -d, -f2 "$table/body.csv" > /tmp/food-ids.$$
cut -d, -f4 "$table/body.csv" | mecab -Oyomi \
  | perl -CSD -pe 'tr/\x{30A1}-\x{30F6}/\x{3041}-\x{3096}/' > /tmp/food-readings.$$
paste /tmp/food-ids.$$ /tmp/food-readings.$$ > "$table/readings.tsv"
rm -f /tmp/food-ids.$$ /tmp/food-readings.$$

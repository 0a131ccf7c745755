#!/usr/bin/env bash
# Starts a CUPS scheduler (when none answers) and creates the test queues:
#   Zebra    - a ZPL label printer (CUPS's sample driver) writing each job to a file
#   Zebra300 - the same printer at 300 dpi, writing to a file of its own
#   PDF   - the cups-pdf printer writing PDFs to root's ~/PDF
# Idempotent: lpadmin on an existing queue only updates it.
set -euo pipefail

ZPL_OUTPUT=${ZPL_OUTPUT:-/var/tmp/foodlabel-zebra.zpl}
ZPL300_OUTPUT=${ZPL300_OUTPUT:-/var/tmp/foodlabel-zebra300.zpl}

scheduler_running() { lpstat -r 2>/dev/null | grep -q "is running"; }

conf=/etc/cups/cups-files.conf
if ! grep -q '^FileDevice Yes' "$conf"; then
  echo 'FileDevice Yes' >> "$conf"
  if scheduler_running; then
    pkill -x cupsd || true
    for _ in $(seq 50); do scheduler_running || break; sleep 0.1; done
  fi
fi

if ! scheduler_running; then
  mkdir -p /run/cups
  cupsd
  for _ in $(seq 100); do scheduler_running && break; sleep 0.1; done
fi
scheduler_running || { echo "CUPS scheduler did not start" >&2; exit 1; }

touch "$ZPL_OUTPUT" "$ZPL300_OUTPUT"
chmod 666 "$ZPL_OUTPUT" "$ZPL300_OUTPUT"
lpadmin -p Zebra -E -v "file://$ZPL_OUTPUT" -m drv:///sample.drv/zebra.ppd -o Resolution=203dpi
lpadmin -p Zebra300 -E -v "file://$ZPL300_OUTPUT" -m drv:///sample.drv/zebra.ppd -o Resolution=300dpi
lpadmin -p PDF -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd
cupsenable Zebra Zebra300 PDF
cupsaccept Zebra Zebra300 PDF

#!/usr/bin/env bash
# Starts the print server with a PDF printer as the default destination, for
# the printing tests: cupsd when it is not running yet, then the queue PDF on
# the cups-pdf backend. Safe to run again. Needs root, or a print server that
# root has started and given the queue PDF (then any user may run it).
set -euo pipefail

running() { lpstat -r 2>/dev/null | grep -q "is running"; }

if ! running; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "start-cups: the print server is not running, and only root may start it: run scripts/start-cups.sh as root" >&2
    exit 1
  fi
  if [ -x /usr/sbin/cupsd ]; then
    /usr/sbin/cupsd
  else
    echo "start-cups: /usr/sbin/cupsd is missing (install cups: scripts/install-deps.sh test)" >&2
    exit 1
  fi
  for _ in $(seq 1 100); do
    running && break
    sleep 0.1
  done
  if ! running; then
    echo "start-cups: cupsd did not start (lpstat -r says it is not running)" >&2
    exit 1
  fi
fi

ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
if [ ! -f "$ppd" ]; then
  echo "start-cups: $ppd is missing (install printer-driver-cups-pdf)" >&2
  exit 1
fi
# lpadmin warns that printer drivers are deprecated: show its words only
# when it fails. A queue made already is kept, so that a user who may not
# administer the server can still make it their default.
if ! lpstat -v PDF 2>/dev/null | grep -q "cups-pdf:/"; then
  if ! out=$(lpadmin -p PDF -E -v cups-pdf:/ -P "$ppd" 2>&1); then
    echo "$out" >&2
    exit 1
  fi
fi
lpoptions -d PDF >/dev/null
echo "start-cups: the print server is running; default printer: PDF"

#!/usr/bin/env bash
# Starts a CUPS scheduler with a "ReceiptPDF" queue printing through cups-pdf, for the receipt
# tests, and stops it again. Run as root (CI runs it from .ci/run).
#
#   scripts/cups-test-queue.sh start   start cupsd (unless one runs) and create the queue
#   scripts/cups-test-queue.sh stop    remove the queue and stop the cupsd this script started
#   scripts/cups-test-queue.sh status  exit 0 when the scheduler runs and the queue exists
#
# Printed jobs land in the PDF folder of the printing user (/root/PDF for root).
set -euo pipefail

QUEUE="${KIVO_CUPS_QUEUE:-ReceiptPDF}"
PPD="lsb/usr/cups-pdf/CUPS-PDF_opt.ppd"
MARK=/run/kivo-cups-test-queue.started

scheduler_running() {
    # lpstat -r exits 0 even when the scheduler is down: read its text.
    lpstat -r 2>/dev/null | grep -qx 'scheduler is running'
}

case "${1:-}" in
start)
    if ! scheduler_running; then
        mkdir -p /run/cups
        cupsd
        touch "$MARK"
        for _ in $(seq 100); do
            scheduler_running && break
            sleep 0.1
        done
    fi
    scheduler_running || { echo "cups-test-queue: cupsd did not start" >&2; exit 1; }
    lpadmin -p "$QUEUE" -E -v cups-pdf:/ -m "$PPD"
    cupsenable "$QUEUE" 2>/dev/null || true
    cupsaccept "$QUEUE" 2>/dev/null || true
    echo "cups-test-queue: queue $QUEUE ready"
    ;;
stop)
    if scheduler_running; then
        lpadmin -x "$QUEUE" 2>/dev/null || true
    fi
    if [ -f "$MARK" ]; then
        rm -f "$MARK"
        if [ -f /run/cups/cupsd.pid ]; then
            kill -TERM "$(cat /run/cups/cupsd.pid)" 2>/dev/null || true
            for _ in $(seq 50); do
                scheduler_running || break
                sleep 0.1
            done
        fi
    fi
    echo "cups-test-queue: stopped"
    ;;
status)
    scheduler_running && lpstat -p "$QUEUE" >/dev/null 2>&1
    ;;
*)
    echo "usage: $0 start|stop|status" >&2
    exit 2
    ;;
esac

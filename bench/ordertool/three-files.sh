#!/bin/sh
# The anchor of the order tool's benchmark: the least a program that writes an order does, three
# small files written and flushed to disk (fsync), in the folder given.
set -e
for name in order.plist orderOrig.plist invoice.txt; do
  printf 'order %s\n' "$name" >"$1/$name"
done
sync "$1/order.plist" "$1/orderOrig.plist" "$1/invoice.txt"

#!/bin/sh
# Runs a Windows test program under Wine and shows its log: Qt Test's log written to a pipe is
# lost under Wine, written to a file it is not. Other programs ignore the extra arguments.
#   run.sh PROGRAM [ARGS...]
log="$(mktemp)"
/usr/lib/wine/wine64 "$@" -o "$log,txt"
status=$?
cat "$log"
rm -f "$log"
exit $status

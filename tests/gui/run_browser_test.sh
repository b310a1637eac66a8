#!/usr/bin/env bash
# Runs one source view test in a process of its own, up to eight times.
# WebKit shares engine objects between the views of a process and, after a
# frame with a browser was destroyed, can still deliver a signal to the
# destroyed view (a crash inside the toolkit's handler). The tests destroy
# and recreate the main window to check what survives a restart, which the
# program itself never does while it runs. A crash is reported on stderr
# and the test is run again; a failed assertion fails at once.
#   run_browser_test.sh TEST_PROGRAM FILTER
set -uo pipefail
program=$1
filter=$2
for attempt in 1 2 3 4 5 6 7 8; do
  "$program" --gtest_filter="$filter"
  status=$?
  if ((status == 0)); then exit 0; fi
  if ((status == 1)); then exit 1; fi  # the test itself failed
  echo "run_browser_test: $filter ended by signal or abort (status $status), attempt $attempt of 8" >&2
done
exit "$status"

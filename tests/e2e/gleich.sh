#!/usr/bin/env bash
# Compares the views of one tournament in several expected files: the plan sorted by time, the
# tables after it and the final placing must read the same in each (the saved tournament loaded
# again, the results imported elsewhere).
#
#   gleich.sh ERSTE.erwartet WEITERE.erwartet...
set -u

# From the plan sorted by time to the last place of the final placing.
views() {
    awk 'placing && !/^[0-9]/ && !/^Platz / { exit }
         /^>> TurnierPlan >> Sortiert nach Uhrzeit$/ { on = 1 }
         on { print }
         on && /^>> Platzierungen >> Endplatzierung$/ { placing = 1 }' "$1"
}

first=$(views "$1")
if [ -z "$first" ]; then
    echo "gleich.sh: $1 zeigt keinen Plan nach Uhrzeit" >&2
    exit 1
fi
status=0
for other in "${@:2}"; do
    if ! diff -u <(printf '%s\n' "$first") <(views "$other") --label "$1" --label "$other"; then
        echo "gleich.sh: $other zeigt das Turnier anders als $1" >&2
        status=1
    fi
done
exit $status

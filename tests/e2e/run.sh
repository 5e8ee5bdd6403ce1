#!/usr/bin/env bash
# Runs the built program on one script in a fresh program folder and compares its whole output
# (standard output and standard error as they come) and its exit status with NAME.erwartet
# beside NAME.skript.
#
#   run.sh PROGRAMM NAME.skript               compare; exit 0 when equal
#   run.sh --erwartung PROGRAMM NAME.skript   write NAME.erwartet anew (read it by eye after)
#
# The program runs with MAROVELKA_HOME and XDG_CONFIG_HOME in a fresh temporary folder,
# MAROVELKA_TEST=1 and the clock fixed by MAROVELKA_CLOCK, nothing else of the caller's
# environment but PATH and the sanitizer options. The temporary folder shows as <tmp>.
#
# Lines "#e2e: ..." in the script prepare the run; the program reads them as comments:
#   #e2e: argumente ARG...      arguments of the program
#   #e2e: aufruf skript         the script given with --script instead of on standard input
#   #e2e: aufruf terminal       standard input taken as typed on a terminal (MAROVELKA_TERMINAL=1):
#                               a failed check keeps its dialog open, a failed command goes on
#   #e2e: entwickler            developer mode (MAROVELKA_DEVELOPER=1): every line the program
#                               writes to error.log shows in the output as a warning too
#   #e2e: ordner fehlt|datei|schreibgeschuetzt|ohne-zugriff|langer-name|schleife
#                               the program folder missing, a plain file, not writable, behind
#                               a folder without access, with a name too long, or in a loop of
#                               symbolic links (run as user nobody where root would pass)
#   #e2e: sperre gehalten       another process holds the single-instance lock
#   #e2e: sperre verwaist       the lock file left behind by a killed process
#   #e2e: anhang lange-zeile N  a line of N bytes appended to the input
#   #e2e: datei QUELLE ZIEL     tests/e2e/dateien/QUELLE copied into the program folder as ZIEL;
#                               the script names the program folder as %PROGRAMM%
#   #e2e: daten                 the files shipped beside the program (tournament forms, pairing
#                               tables, the example's name list) copied into the program folder
#   #e2e: skript DATEI          DATEI (from tests/e2e, e.g. ../../data/beispiel.skript) is the
#                               script, given with --script; this file only prepares the run
#   #e2e: vorlauf DATEI [STATUS]  before the run, the program runs the script DATEI (from tests/e2e)
#                               in a program folder of its own, which gets the shipped files
#                               first; it must end with exit status STATUS (0 unless given).
#                               Several run in order there.
#   #e2e: kopie QUELLE ZIEL [N] the file QUELLE of that earlier program folder copied into the
#                               program folder as ZIEL; with N only its first N lines, as a file
#                               cut short
#   #e2e: im-programmordner     the program runs in its program folder (relative paths)
#   #e2e: unterordner NAME      a folder NAME in the program folder
#   #e2e: rechte MODUS NAME     the file NAME of the program folder gets the permissions MODUS
#   #e2e: verknuepfung ZIEL NAME  a symbolic link NAME in the program folder leading to ZIEL
#                               (as written, so relative to the program folder)
#   #e2e: rohr NAME             a named pipe NAME in the program folder
#   #e2e: dateigroesse BYTES    no file the program writes may grow beyond BYTES (ulimit -f)
#   #e2e: lange-zeile NAME N    a line of N letters appended to the file NAME of the program
#                               folder (made when missing)
set -u

write_expected=0
if [ "${1:-}" = "--erwartung" ]; then
    write_expected=1
    shift
fi
program=$(realpath "$1")
script=$(realpath "$2")
expected="${script%.skript}.erwartet"

tmp=$(mktemp -d /tmp/marovelka-e2e-XXXXXX)
chmod 755 "$tmp"
home="$tmp/programm"
mkdir -p "$home" "$tmp/config"
input="$tmp/eingabe"
cp "$script" "$input"
arguments=()
as_nobody=0
holder=""
workdir=""
first="$tmp/vorlauf"
shipped=(TurFormen.dat Spklrs.dat Vereine.txt)
terminal=()
developer=()
limit=()

cleanup() {
    if [ -n "$holder" ]; then kill "$holder" 2>/dev/null; wait "$holder" 2>/dev/null; fi
    chmod -R u+rwx "$tmp" 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT

# A holder of the lock: a process that keeps the lock file open and locked.
hold_lock() {
    (exec 9>"$home/Marovelka4.lock"; flock 9; : >"$tmp/gesperrt"; exec sleep 120) &
    holder=$!
    for _ in $(seq 100); do [ -e "$tmp/gesperrt" ] && return; sleep 0.05; done
    echo "run.sh: die Sperre wurde nicht genommen" >&2
    exit 1
}

# An earlier run of the program on a script of its own, in its own program folder.
run_before() {
    local before status wanted=${2:-0}
    before=$(realpath "$(dirname "$script")/$1")
    if [ ! -d "$first" ]; then
        mkdir -p "$first" "$tmp/vorlauf-config"
        for f in "${shipped[@]}"; do cp "$(dirname "$program")/$f" "$first"/; done
    fi
    env -i PATH=/usr/bin:/bin HOME="$tmp" LANG=C.UTF-8 MAROVELKA_HOME="$first" \
        XDG_CONFIG_HOME="$tmp/vorlauf-config" MAROVELKA_TEST=1 MAROVELKA_CLOCK="06.12.2026 09:05:03" \
        ASAN_OPTIONS="${ASAN_OPTIONS:-}" UBSAN_OPTIONS="${UBSAN_OPTIONS:-}" \
        LSAN_OPTIONS="print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}" \
        "$program" --script "$before" </dev/null >"$tmp/vorlauf.log" 2>&1
    status=$?
    if [ "$status" != "$wanted" ]; then
        cat "$tmp/vorlauf.log" >&2
        echo "run.sh: der Vorlauf $1 endete mit Status $status statt $wanted" >&2
        exit 1
    fi
}

# Root passes every permission check: such runs go as user nobody.
need_restriction() {
    if [ "$(id -u)" = 0 ]; then
        command -v setpriv >/dev/null || { echo "run.sh: setpriv fehlt, Test übersprungen"; exit 77; }
        as_nobody=1
    fi
}

while IFS= read -r line; do
    case "$line" in "#e2e: "*) ;; *) continue ;; esac
    read -r -a words <<<"${line#"#e2e: "}"
    case "${words[0]} ${words[1]:-}" in
        "argumente "*) arguments+=("${words[@]:1}") ;;
        "aufruf skript") arguments+=(--script "$input") ;;
        "aufruf terminal") terminal=(MAROVELKA_TERMINAL=1) ;;
        "entwickler ") developer=(MAROVELKA_DEVELOPER=1) ;;
        "ordner fehlt") rmdir "$home" ;;
        "ordner datei") rmdir "$home"; echo "keine Ordner" >"$home" ;;
        "ordner schreibgeschuetzt") chmod 555 "$home"; need_restriction ;;
        "ordner ohne-zugriff") mkdir "$tmp/zu"; home="$tmp/zu/programm"; mkdir "$home"; chmod 000 "$tmp/zu"; need_restriction ;;
        "ordner langer-name") home="$tmp/$(printf 'n%.0s' $(seq 300))" ;;
        "ordner schleife") ln -s "$tmp/b" "$tmp/a"; ln -s "$tmp/a" "$tmp/b"; home="$tmp/a/programm" ;;
        "sperre gehalten") hold_lock ;;
        "sperre verwaist") hold_lock; kill -9 "$holder"; wait "$holder" 2>/dev/null; holder="" ;;
        "daten ") for f in "${shipped[@]}"; do cp "$(dirname "$program")/$f" "$home"/; done ;;
        "skript "*) arguments+=(--script "$(realpath "$(dirname "$script")/${words[1]}")") ;;
        "vorlauf "*) run_before "${words[1]}" "${words[2]:-}" ;;
        "kopie "*)
            if [ -n "${words[3]:-}" ]; then head -n "${words[3]}" "$first/${words[1]}" >"$home/${words[2]}" || exit 1
            else cp "$first/${words[1]}" "$home/${words[2]}" || exit 1; fi ;;
        "anhang lange-zeile") head -c "${words[2]}" /dev/zero | tr '\0' 'x' >>"$input"; echo >>"$input" ;;
        "datei "*) cp "$(dirname "$script")/dateien/${words[1]}" "$home/${words[2]}" ;;
        "im-programmordner ") workdir="$home" ;;
        "unterordner "*) mkdir -p "$home/${words[1]}" ;;
        "rechte "*) chmod "${words[1]}" "$home/${words[2]}" || exit 1 ;;
        "verknuepfung "*) ln -s "${words[1]}" "$home/${words[2]}" || exit 1 ;;
        "rohr "*) mkfifo "$home/${words[1]}" || exit 1 ;;
        "dateigroesse "*) limit=(prlimit --fsize="${words[1]}") ;;
        "lange-zeile "*) { head -c "${words[2]}" /dev/zero | tr '\0' 'x'; printf '\r\n'; } >>"$home/${words[1]}" ;;
        *) echo "run.sh: unbekannte Vorbereitung: $line" >&2; exit 1 ;;
    esac
done <"$script"
sed -i "s|%PROGRAMM%|$home|g" "$input"

runner=(env -i PATH=/usr/bin:/bin HOME="$tmp" LANG=C.UTF-8 MAROVELKA_HOME="$home" XDG_CONFIG_HOME="$tmp/config"
        MAROVELKA_TEST=1 MAROVELKA_CLOCK="06.12.2026 09:05:03" "${terminal[@]}" "${developer[@]}"
        ASAN_OPTIONS="${ASAN_OPTIONS:-}" UBSAN_OPTIONS="${UBSAN_OPTIONS:-}"
        LSAN_OPTIONS="print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}")
if [ ${#limit[@]} -gt 0 ]; then runner=("${limit[@]}" "${runner[@]}"); fi
if [ "$as_nobody" = 1 ]; then runner=(setpriv --reuid=65534 --regid=65534 --clear-groups "${runner[@]}"); fi

if [ -n "$workdir" ]; then cd "$workdir" || exit 1; fi
if [[ " ${arguments[*]:-} " == *" --script "* ]]; then
    output=$("${runner[@]}" "$program" "${arguments[@]}" </dev/null 2>&1)
else
    output=$("${runner[@]}" "$program" "${arguments[@]}" <"$input" 2>&1)
fi
status=$?
actual="${output//$tmp/<tmp>}
Exitstatus: $status"

if [ "$write_expected" = 1 ]; then
    printf '%s\n' "$actual" >"$expected"
    echo "geschrieben: $expected"
    exit 0
fi
if ! diff -u "$expected" <(printf '%s\n' "$actual"); then
    echo "run.sh: Ausgabe weicht von $(basename "$expected") ab (oben: erwartet, unten: erhalten)" >&2
    exit 1
fi

#!/usr/bin/env bash
# The commands a user runs on a large address book, timed as whole processes: wall time, processor
# time (user + system, which other work on a shared machine disturbs far less than the wall time)
# and peak memory (maximum resident set) of each, the median of several runs. Not part of ctest: it takes
# minutes and its figures depend on what else the machine is doing.
#
#   bench/whole-process.sh [BUILD_DIR] [RUNS]
#
# BUILD_DIR is a Release build with the benchmarks (default: build); RUNS defaults to 5. The input,
# 100,000 generated contacts (about 56 MB of vCard 3.0), is written once into BUILD_DIR/whole-process
# and is the same bytes on every machine. CONTACTS=N changes the count.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
runs=${2:-5}
contacts=${CONTACTS:-100000}
corvanthe=$build/src/app/corvanthe
generator=$build/bench/generate_contacts
work=$build/whole-process

for program in "$corvanthe" "$generator"; do
    if [[ ! -x $program ]]; then
        echo "whole-process.sh: $program is missing; build the targets corvanthe and generate_contacts" >&2
        exit 2
    fi
done
if [[ ! -x /usr/bin/time ]]; then
    echo "whole-process.sh: /usr/bin/time is needed (Debian package \"time\")" >&2
    exit 2
fi

mkdir -p "$work"
input=$work/big-$contacts.vcf
if [[ ! -s $input ]]; then
    "$generator" "$contacts" "$input.part"
    mv "$input.part" "$input"
fi
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# The median of the numbers on standard input.
median() {
    sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# measure LABEL STDOUT COMMAND...: runs the command RUNS times; prints its median wall time, processor
# time and peak memory.
measure() {
    local label=$1 stdout=$2
    shift 2
    local times=() cpus=() memories=() status
    for ((i = 0; i < runs; ++i)); do
        set +e
        /usr/bin/time -f "%e %U %S %M" -o "$work/time.txt" "$@" >"$stdout" 2>"$work/stderr.txt"
        status=$?
        set -e
        if [[ $status -ne 0 ]]; then
            echo "whole-process.sh: \"$label\" failed with status $status:" >&2
            cat "$work/stderr.txt" >&2
            exit 1
        fi
        read -r seconds user system kilobytes <"$work/time.txt"
        times+=("$seconds")
        cpus+=("$(awk -v u="$user" -v s="$system" 'BEGIN { print u + s }')")
        memories+=("$kilobytes")
    done
    local wall cpu peak
    wall=$(printf '%s\n' "${times[@]}" | median)
    cpu=$(printf '%s\n' "${cpus[@]}" | median)
    peak=$(printf '%s\n' "${memories[@]}" | median)
    printf '| %-44s | %6.2f s | %6.2f s | %6.0f MB | %s\n' "$label" "$wall" "$cpu" "$((${peak%.*} / 1024))" \
        "${times[*]}"
}

size=$(stat -L -c %s "$input")
echo "Input: $input ($contacts contacts, $((size / 1000000)) MB); $runs runs each, median."
echo "Machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg) at the start."
echo
printf '| %-44s | %8s | %8s | %9s | %s\n' "command" "wall" "user+sys" "peak" "every run, wall (s)"
printf '|%s|%s|%s|%s|%s\n' "----------------------------------------------" "----------" "----------" "-----------" "---"
measure "corvanthe convert big.vcf out.vcf" /dev/null "$corvanthe" convert "$input" "$work/out.vcf"
measure "corvanthe dump big.vcf > big.json" "$work/big.json" "$corvanthe" dump "$input"
measure "corvanthe find big.vcf Tanaka" "$work/find.txt" "$corvanthe" find "$input" Tanaka
measure "corvanthe convert big.vcf out.csv" /dev/null "$corvanthe" convert "$input" "$work/out.csv"
measure "corvanthe convert out.csv back.vcf" /dev/null "$corvanthe" convert "$work/out.csv" "$work/back.vcf"
echo
echo "Load average $(cut -d' ' -f1-3 /proc/loadavg) at the end."

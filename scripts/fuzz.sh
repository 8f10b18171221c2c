#!/usr/bin/env bash
# Builds the libFuzzer program of the loaders with clang (build/fuzz) and runs every target, or the
# ones named, over its corpus for a while. A target that finds a crash, a hang (-timeout) or a
# runaway allocation (-rss_limit_mb, -malloc_limit_mb) fails the run; the input is kept under
# build/fuzz/artifacts/NAME/ and the line to replay it is printed. tests/fuzz/README.md explains.
#
#   scripts/fuzz.sh [--seconds N] [--runs N] [--max-len N] [--build-only | --no-build] [TARGET...]
#     --seconds N   time each target runs (default 10, or $QUORIN_FUZZ_SECONDS)
#     --runs N      stop each target after N inputs instead (for long campaigns; --seconds then caps
#                   the time, 0 for no cap)
#     --max-len N   longest input the fuzzer makes (default: from the seeds)
#     --build-only  build the program and stop
#     --no-build    use the program already in the build folder
#   QUORIN_FUZZ_BUILD    the build folder (default build/fuzz); its corpus/, logs/ and artifacts/
#                        folders keep what each run found
#   QUORIN_FUZZ_RUNTIME  the built runtime tree (holding res/) for the seeds and the pictures the
#                        inputs name; default build/test/Resources, else build/dev/Resources
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${QUORIN_FUZZ_SECONDS:-10}
runs=""
max_len=""
build_only=0
no_build=0
targets=()
while [ $# -gt 0 ]; do
    case "$1" in
        --seconds) seconds=$2; shift 2 ;;
        --runs) runs=$2; shift 2 ;;
        --max-len) max_len=$2; shift 2 ;;
        --build-only) build_only=1; shift ;;
        --no-build) no_build=1; shift ;;
        -*) echo "fuzz.sh: unknown option $1" >&2; exit 2 ;;
        *) targets+=("$1"); shift ;;
    esac
done

build=${QUORIN_FUZZ_BUILD:-$root/build/fuzz}
launcher=()
if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
if [ "$no_build" -eq 0 ] && [ ! -f "$build/CMakeCache.txt" ]; then
    # -O1 keeps the build short and the stacks readable; every library is instrumented.
    cmake -S . -B "$build" -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
        -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g" "-DCMAKE_C_FLAGS_DEBUG=-O1 -g" \
        -DQUORIN_FUZZ=ON -DQUORIN_BUILD_TESTS=OFF -DQUORIN_BUILD_BENCH=OFF -DQUORIN_WERROR=ON \
        "${launcher[@]}" >/dev/null
fi
[ "$no_build" -eq 0 ] && cmake --build "$build" -j2 --target quorin-fuzz
[ "$build_only" -eq 1 ] && exit 0

runtime=${QUORIN_FUZZ_RUNTIME:-}
if [ -z "$runtime" ]; then
    for candidate in "$root/build/test/Resources" "$root/build/dev/Resources"; do
        if [ -d "$candidate/res" ]; then runtime=$candidate; break; fi
    done
fi
shared=${QUORIN_TESTDATA_DIR:-$(cd .. && pwd)/shared/testdata}
export QUORIN_FUZZ_RUNTIME=$runtime
export SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tests/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

fuzz=$root/tests/fuzz
mapfile -t lines < <(grep -E '^[a-z0-9-]+ ' "$fuzz/targets.txt")
[ ${#targets[@]} -eq 0 ] && for line in "${lines[@]}"; do targets+=("${line%% *}"); done

# Copies the seeds of one target (its line of targets.txt) into a fresh folder.
gather_seeds() {
    local name=$1 into=$2 line source path
    rm -rf "$into"
    mkdir -p "$into"
    for line in "${lines[@]}"; do
        [ "${line%% *}" = "$name" ] || continue
        for source in ${line#* }; do
            case "$source" in
                runtime/*) path=${runtime:+$runtime/${source#runtime/}} ;;
                shared/*) path=$shared/${source#shared/} ;;
                seeds/*) path=$fuzz/$source ;;
                *) path=$root/$source ;;
            esac
            [ -n "$path" ] || continue
            for file in $path; do
                if [ -d "$file" ]; then
                    find "$file" -maxdepth 1 -type f -exec cp {} "$into/" \;
                elif [ -f "$file" ]; then
                    cp "$file" "$into/"
                fi
            done
        done
    done
}

failed=()
printf '%-9s %10s %8s %8s %6s  %s\n' target runs cov ft corpus result
for name in "${targets[@]}"; do
    program=$build/quorin-fuzz-$name
    if [ ! -x "$program" ]; then
        echo "fuzz.sh: no target '$name' (see tests/fuzz/targets.txt)" >&2
        exit 2
    fi
    corpus=$build/corpus/$name
    seeds=$build/seeds/$name
    artifacts=$build/artifacts/$name
    mkdir -p "$corpus" "$artifacts" "$fuzz/regression/$name"
    gather_seeds "$name" "$seeds"
    options=(-timeout=30 -rss_limit_mb=2048 -malloc_limit_mb=1024 -close_fd_mask=3 -print_final_stats=1
             -artifact_prefix="$artifacts/")
    [ -f "$fuzz/dict/$name.dict" ] && options+=(-dict="$fuzz/dict/$name.dict")
    [ -n "$max_len" ] && options+=(-max_len="$max_len")
    [ -n "$runs" ] && options+=(-runs="$runs")
    [ "$seconds" != 0 ] && options+=(-max_total_time="$seconds")
    log=$build/logs/$name.log
    mkdir -p "$(dirname "$log")"
    status=0
    nice -n 10 "$program" "${options[@]}" "$corpus" "$seeds" "$fuzz/regression/$name" >"$log" 2>&1 || status=$?
    last=$(grep -E '^#[0-9]+' "$log" | tail -n 1 || true)
    stat_runs=$(grep -oE 'stat::number_of_executed_units: [0-9]+' "$log" | grep -oE '[0-9]+$' || echo "?")
    cov=$(echo "$last" | grep -oE 'cov: [0-9]+' | grep -oE '[0-9]+' || echo "?")
    ft=$(echo "$last" | grep -oE 'ft: [0-9]+' | grep -oE '[0-9]+' || echo "?")
    size=$(echo "$last" | grep -oE 'corp: [0-9]+' | grep -oE '[0-9]+' || echo "?")
    if [ "$status" -eq 0 ]; then
        result=ok
    else
        result="FAILED (exit $status)"
        failed+=("$name")
    fi
    printf '%-9s %10s %8s %8s %6s  %s\n' "$name" "$stat_runs" "$cov" "$ft" "$size" "$result"
done

if [ ${#failed[@]} -gt 0 ]; then
    for name in "${failed[@]}"; do
        echo "---- $name: build/fuzz/logs/$name.log (last lines)" >&2
        grep -vE '^ +#[0-9]+ 0x[0-9a-f]+ in (std::|__gnu|fuzzer::|__libc|main |_start)' "$build/logs/$name.log" | tail -n 40 >&2
        echo "Replay: QUORIN_FUZZ_RUNTIME=$runtime $build/quorin-fuzz-$name build/fuzz/artifacts/$name/<file>" >&2
        echo "Once fixed, keep the input as tests/fuzz/regression/$name/<what-it-was> (see tests/fuzz/README.md)." >&2
    done
    exit 1
fi
echo "fuzz: ${#targets[@]} passed, 0 failed"

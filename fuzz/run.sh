#!/usr/bin/env bash
# Runs the fuzz harness built in $FUZZ_BUILD, build-fuzz by default (make
# fuzz-build).
#
#   fuzz/run.sh MODE GROUP SECONDS   one run: MODE exports or twins, GROUP a
#                                    group name or all (make fuzz)
#   fuzz/run.sh ci                   every group of both modes for a few
#                                    seconds each, from the committed corpus
#                                    (make fuzz-ci)
#   fuzz/run.sh ci-m32               the twins of every group for a few
#                                    seconds each, on the FUZZ_M32=1 build
#                                    in build-fuzz-m32 (make fuzz-ci)
#   fuzz/run.sh toolchain            installs clang's fuzzer runtime with
#                                    apt-get when it is missing (for CI)
#   fuzz/run.sh toolchain-present    succeeds when it is there
#
# Each run starts from the committed seeds in fuzz/corpus/NAME and keeps what
# it finds in $FUZZ_BUILD/corpus/NAME (NAME is the group, twins-GROUP in
# twins mode). A finding fails the run; its input is left in
# $FUZZ_BUILD/findings/ and the harness's log in $FUZZ_BUILD/logs/. To see
# the call behind a finding:
#   FUZZ_MODE=... FUZZ_GROUP=... FUZZ_TRACE=1 build-fuzz/fuzz/lumoria_fuzz FILE
set -euo pipefail
cd "$(dirname "$0")/.."

build=${FUZZ_BUILD:-build-fuzz}
binary=$build/fuzz/lumoria_fuzz
export_groups=(transfers maps filters effects shapes read-back quorvex)
twin_groups=("${export_groups[@]}")

has_fuzzer_toolchain() {
    echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' |
        clang++ -fsanitize=fuzzer,address -x c++ - -o /dev/null 2>/dev/null
}

toolchain() {
    has_fuzzer_toolchain && return
    echo "installing clang and its fuzzer runtime"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq clang libclang-rt-dev >/dev/null
}

# one MODE GROUP SECONDS
one() {
    local mode=$1 group=$2 seconds=$3
    local name=$group
    [ "$mode" = twins ] && name=twins-$group
    local work=$build/corpus/$name log=$build/logs/$name.log
    mkdir -p "$work" "$build/findings" "$build/logs"
    local seeds=()
    if [ -n "${seeds_by_file:-}" ] && compgen -G "fuzz/corpus/$name/*" >/dev/null; then
        seeds=("-seed_inputs=$(printf '%s,' "fuzz/corpus/$name"/*)")
    elif [ -d "fuzz/corpus/$name" ]; then
        seeds=("fuzz/corpus/$name")
    fi
    if ! FUZZ_MODE=$mode FUZZ_GROUP=$group "$binary" -max_total_time="$seconds" -timeout=10 \
        "${extra_flags[@]}" \
        -artifact_prefix="$build/findings/$name-" "$work" "${seeds[@]}" >"$log" 2>&1; then
        tail -n 60 "$log"
        echo "fuzz: $mode $group FAILED; input in $build/findings/, log in $log"
        return 1
    fi
    local done_line
    done_line=$(grep -E '^Done [0-9]+ runs' "$log" || echo "skipped: $(grep -m1 'nothing to run' "$log")")
    echo "fuzz: $mode $group: $done_line"
}

extra_flags=()
seeds_by_file=

# The 32-bit build's twins: the AVX2 rows (and SSE2) against plain. Leak
# checking is left to the 64-bit runs: it stops the process's threads
# through ptrace, which qemu-user does not offer, so where 32-bit programs
# run emulated it would hang at exit. The seeds are named file by file: a
# 32-bit program reading a directory under the emulator may be refused the
# 64-bit positions the host's file system hands out.
ci_m32() {
    build=build-fuzz-m32
    binary=$build/fuzz/lumoria_fuzz
    export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
    extra_flags=(-detect_leaks=0)
    seeds_by_file=1
    local failed=0
    for group in "${twin_groups[@]}"; do one twins "$group" 5 || failed=1; done
    return $failed
}

ci() {
    local failed=0
    for group in "${export_groups[@]}"; do one exports "$group" 10 || failed=1; done
    for group in "${twin_groups[@]}"; do one twins "$group" 5 || failed=1; done
    return $failed
}

case "${1:-}" in
    ci) ci ;;
    ci-m32) ci_m32 ;;
    toolchain) toolchain ;;
    toolchain-present) has_fuzzer_toolchain ;;
    exports | twins) one "$1" "${2:-all}" "${3:-600}" ;;
    *)
        echo "usage: fuzz/run.sh exports|twins GROUP SECONDS | ci | toolchain" >&2
        exit 2
        ;;
esac

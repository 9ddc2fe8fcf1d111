# Sourced: which of the suite's two builds this host's Wine can run, found
# by running programs, never by reading package lists or the kernel's set-up
# (a host can have wine32 installed and still run no 32-bit code).
#
#   i686    the shipped PE32 images, under 32-bit Wine (wine32:i386)
#   x86_64  the same sources built for 64-bit Windows, under 64-bit Wine
#           (wine64), for a host whose kernel runs no 32-bit program
#
#   probe_host          sets HOST_ARCHS (what runs here, i686 first) and
#                       HOST_WHY_i686 / HOST_WHY_x86_64 (why one does not)
#   choose_archs [one]  sets RUN_ARCHS: SUITE_ARCH when set, else all of
#                       HOST_ARCHS (with "one" the first: a demo's or a
#                       benchmark's, said when it is x86_64); fails naming
#                       what is missing
#   use_one_arch        exports that one as SUITE_ARCH, its tree as BUILD_DIR
#   arch_build_dir A    the build tree of A under BUILD_ROOT
: "${ROOT:?ROOT must name the source tree}"
BUILD_ROOT=${BUILD_ROOT:-$ROOT/build}
WINE32_LOADER=/usr/lib/wine/wine
WINE64_LOADER=/usr/lib/wine/wine64

arch_build_dir() {
    case $1 in
        i686) echo "$BUILD_ROOT" ;;
        x86_64) echo "$BUILD_ROOT/x86_64" ;;
        *) echo "unknown architecture '$1' (i686 or x86_64)" >&2; return 2 ;;
    esac
}

# A 93-byte static i386 Linux program that only exits with 0: whether the
# kernel runs 32-bit code at all, whatever is installed.
i386_probe_program() {
    local ehdr phdr code
    ehdr='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'
    ehdr+='\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00'
    ehdr+='\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00'
    phdr='\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'
    phdr+='\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'
    code='\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80'  # exit(0)
    printf "$ehdr$phdr$code" > "$1"
    chmod +x "$1"
}

# Runs a program; prints nothing when it ran, else what it said or what
# stopped it.
run_fault() {
    local out status
    if out=$("$@" 2>&1 </dev/null); then return; else status=$?; fi
    out=${out##*: line [0-9]*: }  # bash's own prefix when it cannot execute
    if [ -n "$out" ]; then echo "${out//$'\n'/ }"
    elif [ $status -gt 128 ]; then echo "killed by SIG$(kill -l $((status - 128)))"
    else echo "exit status $status"; fi
}

# Why a loader cannot run here (empty when it runs): it must print its version.
loader_fault() {
    local loader=$1 package=$2 why
    [ -x "$loader" ] || { echo "$loader is missing (install the package $package)"; return; }
    why=$(run_fault "$loader" --version)
    [ -z "$why" ] || echo "$loader does not run: $why (reinstall the package $package)"
}

probe_host() {
    HOST_ARCHS=() HOST_WHY_i686= HOST_WHY_x86_64=
    mkdir -p "$BUILD_ROOT"
    local probe=$BUILD_ROOT/i386-probe why
    i386_probe_program "$probe"
    why=$(run_fault "$probe")
    if [ -n "$why" ]; then
        HOST_WHY_i686="this host runs no 32-bit x86 program (a 32-bit probe program: $why)"
    else
        HOST_WHY_i686=$(loader_fault "$WINE32_LOADER" wine32:i386)
    fi
    HOST_WHY_x86_64=$(loader_fault "$WINE64_LOADER" wine64)
    [ -z "$HOST_WHY_i686" ] && HOST_ARCHS+=(i686)
    [ -z "$HOST_WHY_x86_64" ] && HOST_ARCHS+=(x86_64)
    return 0
}

# The reason architecture $1 cannot run here, empty when it can (after probe_host).
arch_fault() {
    local why=HOST_WHY_$1
    echo "${!why}"
}

# Sets RUN_ARCHS to what is to run: SUITE_ARCH alone when set, else every
# architecture that runs here; fails saying why when that is nothing. With
# "one", only the first of them, saying so when it is not the shipped i686.
choose_archs() {
    probe_host
    local me
    me=$(basename "$0" .sh)
    if [ -n "${SUITE_ARCH:-}" ]; then
        arch_build_dir "$SUITE_ARCH" >/dev/null || return 2
        [ -z "$(arch_fault "$SUITE_ARCH")" ] ||
            { echo "$me: SUITE_ARCH=$SUITE_ARCH cannot run on this host: $(arch_fault "$SUITE_ARCH")" >&2; return 1; }
        RUN_ARCHS=("$SUITE_ARCH")
    elif [ ${#HOST_ARCHS[@]} = 0 ]; then
        echo "$me: no Wine can run on this host" >&2
        echo "  i686: $HOST_WHY_i686" >&2
        echo "  x86_64: $HOST_WHY_x86_64" >&2
        return 1
    else
        RUN_ARCHS=("${HOST_ARCHS[@]}")
    fi
    [ "${1:-}" = one ] || return 0
    RUN_ARCHS=("${RUN_ARCHS[0]}")
    [ "${RUN_ARCHS[0]}" = i686 ] || [ -n "${SUITE_ARCH:-}" ] ||
        echo "$me: the x86_64 builds under 64-bit Wine, since $HOST_WHY_i686"
}

# For a demo or a benchmark: the one architecture, exported as SUITE_ARCH,
# and its build tree as BUILD_DIR.
use_one_arch() {
    choose_archs one || return
    export SUITE_ARCH=${RUN_ARCHS[0]} BUILD_DIR
    BUILD_DIR=$(arch_build_dir "$SUITE_ARCH")
}

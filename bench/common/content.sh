# Sourced by the benchmarks that unpack and install: content of known kinds, made
# afresh on each machine.
#
#   bench_large FOLDER COUNT        COUNT incompressible files of 20 MB
#   bench_small FOLDER COUNT        COUNT incompressible files of 4 to 49 KB,
#                                   50 to a sub-folder
#   bench_text FOLDER FILES LINES   text that compresses well (the same words
#                                   on every run)
#   bench_programs FOLDER COUNT     executables of Wine's, which 7-Zip filters
#                                   with BCJ
#   bench_content FOLDER            the trees FOLDER/Alpha, Beta, Gamma and Delta
#                                   of the installation benchmarks, about 200 MB
#                                   packed

bench_large() {   # bench_large FOLDER COUNT
    local i
    mkdir -p "$1"
    for i in $(seq 1 "$2"); do
        head -c $((20 * 1024 * 1024)) /dev/urandom > "$1/large$i.bin"
    done
}

bench_small() {   # bench_small FOLDER COUNT
    local i
    for i in $(seq 1 "$2"); do
        mkdir -p "$1/set$((i / 50))"
        head -c $((4096 + (i * 7919) % 45000)) /dev/urandom > "$1/set$((i / 50))/part$i.dat"
    done
}

bench_text() {   # bench_text FOLDER FILES LINES
    mkdir -p "$1"
    python3 - "$@" <<'PY'
import random, sys
folder, files, lines = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
random.seed(7)
words = ["".join(random.choice("abcdefghijklmnopqrstuvwxyz") for _ in range(random.randint(2, 10))) for _ in range(3000)]
for n in range(files):
    with open(f"{folder}/notes{n}.txt", "w") as out:
        for _ in range(lines):
            out.write(" ".join(random.choices(words, k=25000)) + "\n")
PY
}

# The whole list is read before it is cut: `sort | head` would end sort with
# SIGPIPE, a failure (141) under the callers' pipefail.
bench_programs() {   # bench_programs FOLDER COUNT
    local programs
    mkdir -p "$1"
    mapfile -t programs < <(find /usr/lib/i386-linux-gnu/wine/i386-windows -maxdepth 1 -type f \
        \( -name '*.dll' -o -name '*.exe' \) -size +200k | sort)
    cp -t "$1" "${programs[@]:0:$2}"
}

bench_content() {   # bench_content FOLDER
    bench_large "$1/Alpha/random" 3
    bench_small "$1/Alpha/small" 200
    mkdir -p "$1/Beta"
    head -c $((50 * 1024 * 1024)) /dev/urandom > "$1/Beta/data.bin"
    mkdir -p "$1/Gamma/random"
    head -c $((35 * 1024 * 1024)) /dev/urandom > "$1/Gamma/random/media.bin"
    bench_text "$1/Gamma/text" 8 60
    bench_programs "$1/Delta/programs" 150
}

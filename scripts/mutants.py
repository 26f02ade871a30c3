#!/usr/bin/env python3
"""Mutation sample of the whole program: how many small faults do the tests catch?

A fixed-seed sample of mutants is drawn from every source of src/ (the engine's subsystems, the command line,
the drawing layer and the windows): a comparison flipped (< and <=, > and >=,
== and !=), an integer constant moved by one, a single statement dropped. Each mutant is applied to a
snapshot of the worktree (so the worktree itself can be edited meanwhile), the test programs that can see
the mutated folder are rebuilt at -O0 (with --sanitize under AddressSanitizer and UBSan, so that a mutant
that reads out of bounds is caught) and run with a timeout, and the mutant is recorded as killed, survived
or did not compile.

    python3 scripts/mutants.py                   # 150 mutants, seed 6, two build jobs
    python3 scripts/mutants.py --count 40 --jobs 1 --sanitize
    python3 scripts/mutants.py --list            # show the sample without building
    python3 scripts/mutants.py --revision OLD --tests-from NEW   # the same sources against newer tests

Not run by CI. The report goes to stdout and, one line per mutant, to build-mutants/results.tsv.

Some mutants change nothing a user can get (a buffer one byte smaller than it needs to be anyway, a value
overwritten before it is read). Those judged so are listed, each with its reason, in
scripts/mutants-equivalent.txt; a survivor found there is reported as equivalent and left out of the second
kill rate, the one over the mutants that change behaviour. A listed mutant that is killed counts as killed.
"""

import argparse
import hashlib
import os
import random
import re
import shutil
import subprocess
import sys
import time
from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
EQUIVALENT = Path(__file__).resolve().parent / "mutants-equivalent.txt"
SOURCES = ["src/engine", "src/cli", "src/render", "src/desktop"]
# The test programs, and for each folder the ones that can see its faults, the likeliest first: the engine
# is under everything, the drawing layer under the command line's pictures and the windows.
PROGRAMS = ["engine_tests", "cli_tests", "render_tests", "desktop_tests"]
PROGRAMS_FOR = {
    "src/engine": ["engine_tests", "cli_tests", "render_tests", "desktop_tests"],
    "src/cli": ["cli_tests"],
    "src/render": ["render_tests", "cli_tests", "desktop_tests"],
    "src/desktop": ["desktop_tests"],
}

COMPARISON_FLIPS = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
# Binary comparisons are written with a blank on each side; template brackets and shifts are not.
COMPARISON = re.compile(r"(?<= )(<=|>=|==|!=|<|>)(?= )")
INTEGER = re.compile(r"(?<![\w.])(0[0-7]+|\d+)([uUlL]*)(?![\w.])")
# Lines that start a declaration rather than run something; dropping them only breaks the build.
DECLARATION = re.compile(
    r"^\s*(const\b|constexpr\b|static\b|auto\b|int\b|double\b|bool\b|char\b|std::|struct\b|class\b|enum\b|"
    r"using\b|return\b|namespace\b|template\b|typename\b|case\b|default\b|break\b|continue\b|[A-Z]\w*\s+\w+\s*[=({;])"
)


@dataclass(frozen=True)
class Mutant:
    path: str  # relative to the root
    line: int  # 1-based
    column: int  # 0-based start of the replaced text
    old: str
    new: str
    kind: str

    def describe(self) -> str:
        if self.kind == "drop":
            return f"{self.path}:{self.line}: drop `{self.old.strip()}`"
        return f"{self.path}:{self.line}: {self.kind} `{self.old}` -> `{self.new}`"


def source_files(base: Path) -> list:
    """The sampled sources: every source file of SOURCES."""
    files = []
    for entry in SOURCES:
        p = base / entry
        files += [p] if p.is_file() else sorted(p.rglob("*.cpp"))
    return files


def code_spans(line: str):
    """The parts of a line outside string and character literals and a // comment, as (start, end)."""
    spans, start, i, quote = [], 0, 0, None
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                i += 2
                continue
            if c == quote:
                quote = None
                start = i + 1
        elif c in "\"'":
            spans.append((start, i))
            quote = c
        elif line.startswith("//", i):
            spans.append((start, i))
            return spans
        i += 1
    if not quote:
        spans.append((start, len(line)))
    return spans


def moved_constant(text: str, delta: int) -> str:
    if len(text) > 1 and text.startswith("0"):
        value = int(text, 8) + delta
        return "0" + format(value, "o") if value >= 0 else None
    value = int(text) + delta
    return str(value) if value >= 0 else None


def candidates(base: Path) -> list:
    found = []
    for path in source_files(base):
        rel = str(path.relative_to(base))
        depth = 0  # brace depth: statements are only dropped inside function bodies
        for number, line in enumerate(path.read_text(encoding="latin-1").splitlines(), start=1):
            stripped = line.strip()
            if stripped.startswith(("#", "//", "*", "/*")) or not stripped:
                depth += line.count("{") - line.count("}")
                continue
            for start, end in code_spans(line):
                part = line[start:end]
                for m in COMPARISON.finditer(part):
                    found.append(Mutant(rel, number, start + m.start(), m.group(1), COMPARISON_FLIPS[m.group(1)],
                                        "flip"))
                for m in INTEGER.finditer(part):
                    for delta in (+1, -1):
                        new = moved_constant(m.group(1), delta)
                        if new is not None:
                            found.append(Mutant(rel, number, start + m.start(1), m.group(1), new,
                                                "constant+1" if delta > 0 else "constant-1"))
            in_body = depth >= 2 or (depth >= 1 and not rel.endswith(".h") and "namespace" not in line)
            if (in_body and stripped.endswith(";") and not DECLARATION.match(line)
                    and line.count("(") == line.count(")") and line.count("{") == line.count("}")):
                indent = len(line) - len(line.lstrip())
                found.append(Mutant(rel, number, indent, stripped, ";", "drop"))
            depth += line.count("{") - line.count("}")
    return found


def sample(base: Path, count: int, seed: int) -> list:
    every = candidates(base)
    chosen = random.Random(seed).sample(every, min(count, len(every)))
    return sorted(chosen, key=lambda m: (m.path, m.line, m.column, m.new)), len(every)


def apply(tree: Path, mutant: Mutant) -> str:
    path = tree / mutant.path
    original = path.read_text(encoding="latin-1")
    lines = original.split("\n")
    line = lines[mutant.line - 1]
    assert line[mutant.column:mutant.column + len(mutant.old)] == mutant.old, mutant
    lines[mutant.line - 1] = line[:mutant.column] + mutant.new + line[mutant.column + len(mutant.old):]
    path.write_text("\n".join(lines), encoding="latin-1")
    return original


def run(command, cwd, timeout):
    try:
        done = subprocess.run(command, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=timeout)
        return done.returncode, done.stdout.decode("utf-8", "replace")
    except subprocess.TimeoutExpired:
        return None, "timeout"


def snapshot(build: Path, revision: str, tests_from: str) -> Path:
    """A copy of the worktree (or of a committed revision) that the mutants are applied to."""
    tree = build / "tree"
    if tree.exists():
        shutil.rmtree(tree)
    tree.mkdir(parents=True)
    if revision:
        archive = subprocess.run(["git", "archive", revision], cwd=ROOT, stdout=subprocess.PIPE, check=True).stdout
        subprocess.run(["tar", "-x", "-C", str(tree)], input=archive, check=True)
    else:
        for name in ["CMakeLists.txt", "src", "tests", "samples", "bench"]:
            source = ROOT / name
            if source.is_dir():
                shutil.copytree(source, tree / name, symlinks=True)
            elif source.exists():
                shutil.copy2(source, tree / name)
    if tests_from:
        shutil.rmtree(tree / "tests")
        archive = subprocess.run(["git", "archive", tests_from, "tests"], cwd=ROOT, stdout=subprocess.PIPE,
                                 check=True).stdout
        subprocess.run(["tar", "-x", "-C", str(tree)], input=archive, check=True)
    mark_changed_files(build, tree)
    return tree


def mark_changed_files(build: Path, tree: Path) -> None:
    """Gives every file that differs from the last snapshot in this build folder the time of now.

    A copy keeps a file's own time (a revision's is its commit's), which can be older than the objects built
    from the last snapshot: the build would then keep objects of sources that changed."""
    manifest = build / "snapshot.sums"
    before = {}
    if manifest.exists():
        for line in manifest.read_text().splitlines():
            digest, _, name = line.partition(" ")
            before[name] = digest
    now = time.time()
    sums = []
    for path in sorted(p for p in tree.rglob("*") if p.is_file() and not p.is_symlink()):
        name = str(path.relative_to(tree))
        digest = hashlib.sha1(path.read_bytes()).hexdigest()
        if before.get(name) != digest:
            os.utime(path, (now, now))
        sums.append(f"{digest} {name}")
    manifest.write_text("\n".join(sums) + "\n")


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--count", type=int, default=150)
    parser.add_argument("--seed", type=int, default=6)
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--timeout", type=int, default=60, help="seconds per test program")
    parser.add_argument("--build", default=str(ROOT / "build-mutants"))
    parser.add_argument("--revision", help="mutate this committed revision instead of the worktree as it is")
    parser.add_argument("--tests-from", help="take tests/ from this revision (the same sources, other tests)")
    parser.add_argument("--only", action="append", default=[],
                        help="run only the sampled mutants whose description contains this text (repeatable)")
    parser.add_argument("--list", action="store_true", help="print the sample and stop")
    parser.add_argument("--sanitize", action="store_true", help="build under AddressSanitizer and UBSan")
    args = parser.parse_args()

    build = Path(args.build)
    tree = snapshot(build, args.revision, args.tests_from)
    mutants, total = sample(tree, args.count, args.seed)
    if args.only:
        mutants = [m for m in mutants if any(text in m.describe() for text in args.only)]
    if args.list:
        for m in mutants:
            print(m.describe())
        print(f"{len(mutants)} of {total} candidates")
        return 0

    binary = build / "bin"
    programs = PROGRAMS
    configure = ["cmake", "-S", str(tree), "-B", str(binary), "-G", "Ninja", "-DCMAKE_BUILD_TYPE=",
                 "-DCMAKE_CXX_FLAGS=-O0 -w", "-DQELVAR_BENCH=OFF", f"-DQELVAR_SANITIZE={'ON' if args.sanitize else 'OFF'}"]
    os.environ["ASAN_OPTIONS"] = "detect_leaks=0"
    os.environ["QT_QPA_PLATFORM"] = "offscreen"
    if run(configure, tree, 600)[0] != 0:
        print("cmake failed", file=sys.stderr)
        return 2
    build_command = ["cmake", "--build", str(binary), "-j", str(args.jobs), "--target", *programs]
    code, output = run(build_command, tree, 1800)
    if code != 0:
        print(output, file=sys.stderr)
        return 2
    for program in programs:
        code, output = run([str(binary / "tests" / program)], binary, args.timeout)
        if code != 0:
            print(f"{program} fails before any mutation:\n{output[-2000:]}", file=sys.stderr)
            return 2

    results = []
    started = time.monotonic()
    with open(build / "results.tsv", "w", encoding="utf-8") as log:
        for index, mutant in enumerate(mutants, start=1):
            original = apply(tree, mutant)
            folder = "/".join(mutant.path.split("/")[:2])
            seeing = PROGRAMS_FOR.get(folder, programs)
            try:
                # One program at a time, the likeliest first: most mutants are killed before the slower
                # programs are even linked.
                outcome, by = "survived", ""
                for program in seeing:
                    code, _ = run(build_command[:-len(programs)] + [program], tree, 600)
                    if code != 0:
                        outcome = "did-not-compile"
                        break
                    code, _ = run([str(binary / "tests" / program), "--gtest_fail_fast", "--gtest_brief=1"],
                                  binary, args.timeout)
                    if code != 0:
                        outcome, by = "killed", program + (" (timeout)" if code is None else "")
                        break
            finally:
                (tree / mutant.path).write_text(original, encoding="latin-1")
            results.append((mutant, outcome))
            log.write(f"{outcome}\t{by}\t{mutant.describe()}\n")
            log.flush()
            elapsed = time.monotonic() - started
            print(f"[{index}/{len(mutants)} {elapsed:5.0f}s] {outcome:15} {by:18} {mutant.describe()}", flush=True)
    run(build_command, tree, 600)  # leave the build matching the snapshot

    counts = {k: sum(1 for _, o in results if o == k) for k in ("killed", "survived", "did-not-compile")}
    compiled = counts["killed"] + counts["survived"]
    print()
    print(f"seed {args.seed}: {len(results)} mutants of {total} candidates; "
          f"killed {counts['killed']}, survived {counts['survived']}, did not compile {counts['did-not-compile']}")
    if compiled:
        print(f"kill rate {100.0 * counts['killed'] / compiled:.1f} % of the {compiled} that compiled")
    equivalent = set()
    if EQUIVALENT.exists():
        for line in EQUIVALENT.read_text(encoding="utf-8").splitlines():
            if line.strip() and not line.startswith("#"):
                equivalent.add(line.split("  #")[0].strip())
    judged = [m for m, o in results if o == "survived" and m.describe() in equivalent]
    changing = compiled - len(judged)
    if changing:
        print(f"kill rate {100.0 * counts['killed'] / changing:.1f} % of the {changing} that change behaviour "
              f"({len(judged)} survivors listed as equivalent in {EQUIVALENT.name})")
    for folder in SOURCES:
        mine = [o for m, o in results if m.path.startswith(folder + "/")]
        built = sum(1 for o in mine if o != "did-not-compile")
        killed = sum(1 for o in mine if o == "killed")
        listed = sum(1 for m in judged if m.path.startswith(folder + "/"))
        if built:
            print(f"  {folder}: killed {killed} of {built} that compiled"
                  + (f", {killed} of {built - listed} that change behaviour" if listed else ""))
    print("survivors:")
    for mutant, outcome in results:
        if outcome == "survived":
            print("  " + mutant.describe() + ("  (equivalent)" if mutant in judged else ""))
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Small wrong changes to the game's rule code, one at a time: each should fail a test.

A comparison flipped or loosened, && and || swapped, true and false swapped, a constant off by
one, a statement dropped, a return or continue removed. Each mutant is built incrementally in the
default preset and the file is put back whatever happens. A build of the same tree with coverage
counters (build/mutation-coverage, made again when the tree changes) tells which tests run each
line: only those run, as ctest runs them, the quickest first, each under a time limit, until one
fails; a mutant on a line that no test runs is only compiled. A line without code of its own (a
constant) or in a header runs every test whose binary it changed. Prints each survivor as
file:line and the change, and last the score. Not part of ./check or CI: it takes a long while.

  scripts/mutation-sweep.py --sample 60 --seed 1 [files...]
  scripts/mutation-sweep.py --spread 4 src/game   every file early on, four of a file at a time
  scripts/mutation-sweep.py --schema --jobs 2     every mutant in one build, behind switches
                                                  (scripts/mutation_schema.py), no build per mutant
"""

import argparse
import hashlib
import json
import os
import random
import re
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
BUILD = ROOT / "build" / "default"
# The backup of the file under mutation lives beside the build, never in the tree: a run that was
# killed outright is put right by the next one.
STATE = BUILD / "mutation-sweep"
# The same tree with coverage counters: which tests run which lines.
COVERAGE = ROOT / "build" / "mutation-coverage"
PENDING = STATE / "pending"
# A copy of the tree with every mutant behind a switch, and its build.
SCHEMA = ROOT / "build" / "mutation-schema"

RULE_CODE = [
    "src/game",
    "src/screens",
    "src/app",
    "src/program",
    "src/sound",
    "src/platform/window/timers.cpp",
    "src/platform/input",
    "src/platform/gdi/bitmap_reader.cpp",
    "src/platform/gdi/picture_file.cpp",
    "src/platform/gdi/gdi_bitmap.cpp",
    "src/platform/dsound",
    "src/platform/sdl/sdl_sound_output.cpp",
]

# Loosened (or tightened) first, then flipped.
COMPARISONS = {
    "<": ["<=", ">="],
    "<=": ["<", ">"],
    ">": [">=", "<="],
    ">=": [">", "<"],
    "==": ["!="],
    "!=": ["=="],
}
# Spaced on both sides, as the house style writes a binary operator; template brackets never are.
COMPARISON = re.compile(r"(?<= )(<=|>=|==|!=|<|>)(?= )")
LOGICAL = re.compile(r"(?<= )(&&|\|\|)(?= )")
BOOLEAN = re.compile(r"\b(true|false)\b")
INTEGER = re.compile(r"(?<![\w.'])(\d[\d']*)(?![\w.'])")
# Expression statements whose loss compiles: an assignment to a plain name or member, a step, a call.
STATEMENT = re.compile(
    r"^(?:[\w.\[\]:>-]+\s*(?:=|\+=|-=|\*=|/=|%=|\|=|&=|\^=|<<=|>>=)\s.*"
    r"|(?:\+\+|--)[\w.\[\]>-]+|[\w.\[\]>-]+(?:\+\+|--)"
    r"|[\w.\[\]:>-]+\(.*\));$"
)
RETURN = re.compile(r"\breturn\b[^;]*;")
# A line that may declare a constant, which the compiler works out for itself.
CONSTANT = re.compile(r"\b(constexpr|const|case|enum|static)\b|\[\s*\d")
CONTINUE = re.compile(r"\bcontinue;")


class Mutant:
    def __init__(self, path, line, start, end, replacement, kind):
        self.path, self.line, self.start, self.end = path, line, start, end
        self.replacement, self.kind = replacement, kind

    def key(self):
        return (str(self.path), self.line, self.start, self.replacement)

    def apply(self, lines):
        text = lines[self.line - 1]
        changed = list(lines)
        changed[self.line - 1] = text[: self.start] + self.replacement + text[self.end :]
        return changed

    def describe(self, lines):
        text = lines[self.line - 1]
        before = text[self.start : self.end].strip()
        after = self.replacement.strip() or "(nothing)"
        shown = self.apply(lines)[self.line - 1].strip()
        return f"{self.path}:{self.line}: {self.kind} `{before}` -> `{after}`: {shown}"


def code_only(lines):
    """Each line with comments, strings and character literals blanked out, and whether it is a
    preprocessor line."""
    out = []
    in_block = False
    for text in lines:
        chars = list(text)
        i = 0
        quote = None
        while i < len(chars):
            c = chars[i]
            nxt = chars[i + 1] if i + 1 < len(chars) else ""
            if in_block:
                if c == "*" and nxt == "/":
                    chars[i] = chars[i + 1] = " "
                    in_block = False
                    i += 2
                    continue
                chars[i] = " "
            elif quote:
                if c == "\\":
                    chars[i] = " "
                    if i + 1 < len(chars):
                        chars[i + 1] = " "
                    i += 2
                    continue
                if c == quote:
                    quote = None
                else:
                    chars[i] = " "
            elif c == "/" and nxt == "/":
                for j in range(i, len(chars)):
                    chars[j] = " "
                break
            elif c == "/" and nxt == "*":
                chars[i] = chars[i + 1] = " "
                in_block = True
                i += 2
                continue
            elif c == '"':
                quote = c
            elif c == "'" and not (i > 0 and chars[i - 1].isalnum() and nxt.isdigit()):
                quote = c  # a character literal, not a digit separator
            i += 1
        code = "".join(chars)
        out.append((code, code.lstrip().startswith("#")))
    return out


def starts_statement(previous):
    """Whether a line after this code line begins a statement of its own."""
    previous = previous.rstrip()
    return previous == "" or previous[-1] in ";{}:" or previous.endswith(")") or previous.endswith("else")


def mutants_of(path, lines):
    found = []
    masked = code_only(lines)
    previous = ""
    for number, (code, preprocessor) in enumerate(masked, start=1):
        stripped = code.strip()
        if preprocessor or not stripped or "static_assert" in code:
            previous = code if stripped else previous
            continue
        for m in COMPARISON.finditer(code):
            for to in COMPARISONS[m.group(1)]:
                kind = "comparison " + ("negated" if m.group(1) in ("==", "!=") else
                                        "flipped" if to == COMPARISONS[m.group(1)][-1] else "loosened")
                found.append(Mutant(path, number, m.start(), m.end(), to, kind))
        for m in LOGICAL.finditer(code):
            found.append(Mutant(path, number, m.start(), m.end(), "||" if m.group(1) == "&&" else "&&", "logic swapped"))
        for m in BOOLEAN.finditer(code):
            found.append(Mutant(path, number, m.start(), m.end(), "false" if m.group(1) == "true" else "true",
                                "boolean flipped"))
        # Constants, but not the sizes in declarations of arrays or bit widths.
        if not re.search(r"\[\s*\d[\d']*\s*\]\s*(=|;|\{)", code):
            for m in INTEGER.finditer(code):
                value = int(m.group(1).replace("'", ""))
                for to in (value + 1, value - 1):
                    found.append(Mutant(path, number, m.start(), m.end(), str(to), "constant off by one"))
        indent = len(code) - len(code.lstrip())
        if starts_statement(previous) and code.count("(") == code.count(")"):
            if STATEMENT.match(stripped) and not stripped.startswith(("return", "using", "case", "delete")):
                found.append(Mutant(path, number, indent, len(code.rstrip()), "{}", "statement dropped"))
            for m in RETURN.finditer(code):
                # An early return: one that a condition guards, or one without a value.
                if stripped.startswith("if") or m.group(0) == "return;":
                    found.append(Mutant(path, number, m.start(), m.end(), "{}", "return removed"))
            for m in CONTINUE.finditer(code):
                found.append(Mutant(path, number, m.start(), m.end(), "{}", "continue removed"))
        previous = code
    return found


def source_files(names):
    files = []
    for name in names:
        path = (ROOT / name).resolve()
        if path.is_dir():
            files += sorted(p for p in path.rglob("*") if p.suffix in (".cpp", ".h"))
        elif path.is_file():
            files.append(path)
        else:
            sys.exit(f"mutation-sweep: no such file or folder: {name}")
    return files


SIGNALS = (signal.SIGINT, signal.SIGTERM, signal.SIGHUP)


class Interrupted(BaseException):
    pass


def on_signal(number, _frame):
    raise Interrupted(signal.Signals(number).name)


current = None  # the child process group running now


def run(command, timeout=None, quiet=True, cwd=BUILD, env=None):
    """Runs a command in a process group of its own; its exit code, or None when out of time."""
    global current
    current = subprocess.Popen(command, cwd=cwd, start_new_session=True, preexec_fn=default_signals,
                               env={**os.environ, **env} if env else None,
                               stdout=subprocess.DEVNULL if quiet else None,
                               stderr=subprocess.DEVNULL if quiet else None)
    try:
        return current.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        return None
    finally:
        stop_current()


def default_signals():
    # The tests see signals as a terminal would send them, even when the sweep ignores a hang-up.
    for number in SIGNALS:
        signal.signal(number, signal.SIG_DFL)


def stop_current():
    global current
    if current is not None and current.poll() is None:
        try:
            os.killpg(current.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        current.wait()
    current = None


def put_back(path, original):
    """Writes the original back and dates it now, later than the mutant's object, so that the next
    build compiles the original again."""
    path.write_bytes(original)
    now = time.time_ns()
    os.utime(path, ns=(now, now))


def restore_left_over():
    if not PENDING.exists():
        return
    relative = PENDING.read_text().strip()
    backup = STATE / "backup" / relative
    if backup.exists():
        put_back(ROOT / relative, backup.read_bytes())
        print(f"mutation-sweep: put back {relative}, left mutated by an interrupted run", flush=True)
    PENDING.unlink()


class Case:
    """One test as ctest runs it: a GoogleTest case of a binary in the build, its arguments, folder
    and environment."""

    def __init__(self, name, command, cwd, env):
        self.name, self.command, self.cwd, self.env = name, command, cwd, env
        # The name less what GoogleTest prints of a parameter, which may hold addresses.
        self.key = name.split("  # GetParam() = ")[0]
        self.binary = Path(command[0])
        self.seconds = 0.0

    def moved_to(self, build):
        """The same case in another build of the tree."""
        def moved(text):
            return str(build) + text[len(str(BUILD)):] if text.startswith(str(BUILD)) else text
        env = {k: moved(v) for k, v in self.env.items()}
        return Case(self.name, [moved(a) for a in self.command], Path(moved(str(self.cwd))), env)

    def limit(self, timeout):
        # Three times the unmutated run, and never less than ten seconds more: a slower machine is
        # not a kill.
        return timeout or max(3 * self.seconds, self.seconds + 10)


def test_cases(build=BUILD):
    """The GoogleTest cases that ctest runs in the build, each as ctest runs it."""
    listing = subprocess.run(["ctest", "--show-only=json-v1"], cwd=build, capture_output=True, text=True,
                             check=True)
    cases = []
    for test in json.loads(listing.stdout).get("tests", []):
        command = test.get("command") or []
        if not command or not any(a.startswith("--gtest_filter") for a in command[1:]):
            continue
        if not Path(command[0]).is_relative_to(build):
            continue
        properties = {p["name"]: p["value"] for p in test.get("properties", [])}
        if properties.get("DISABLED"):
            continue
        env = dict(v.split("=", 1) for v in properties.get("ENVIRONMENT", []))
        cases.append(Case(test["name"], command, Path(properties.get("WORKING_DIRECTORY", build)), env))
    return cases


def build(targets, jobs, timeout, build_dir=BUILD):
    command = ["nice", "-n", "10", "ninja", "-j", str(jobs)] + [str(Path(t).relative_to(build_dir)) for t in targets]
    return run(command, timeout=timeout, cwd=build_dir) == 0


def run_cases(cases, timeout):
    """'killed' at the first failing case, 'timeout' at the first out of time, else 'survived'."""
    for case in cases:
        code = run(case.command + ["--gtest_brief=1"], timeout=case.limit(timeout), cwd=case.cwd, env=case.env)
        if code is None:
            return "timeout"
        if code != 0:
            return "killed"
    return "survived"


def tree_digest():
    """What the coverage depends on: the sources, the tests and the build's own files."""
    digest = hashlib.sha256()
    for top in ("src", "tests", "cmake", "assets", "tools"):
        for path in sorted((ROOT / top).rglob("*")):
            if path.is_file():
                digest.update(str(path.relative_to(ROOT)).encode() + b"\0" + path.read_bytes())
    for name in ("CMakeLists.txt", "CMakePresets.json"):
        digest.update((ROOT / name).read_bytes())
    return digest.hexdigest()


def gcov_lines(gcda_files):
    """{source file in the tree: {line: count}} from gcov, over these counters."""
    lines = {}
    for start in range(0, len(gcda_files), 64):
        out = subprocess.run(["gcov", "--json-format", "--stdout"] + [str(f) for f in gcda_files[start:start + 64]],
                             cwd=COVERAGE, capture_output=True, text=True, check=True).stdout
        for document in out.splitlines():
            if not document.startswith("{"):
                continue
            for record in json.loads(document).get("files", []):
                name = record["file"]
                path = (ROOT / name).resolve() if not os.path.isabs(name) else Path(name).resolve()
                if not path.is_relative_to(ROOT):
                    continue
                counts = lines.setdefault(str(path.relative_to(ROOT)), {})
                for line in record.get("lines", []):
                    number = line["line_number"]
                    counts[number] = counts.get(number, 0) + line["count"]
    return lines


def coverage(cases, jobs):
    """For each case, the lines of the tree that it runs, and every line that has code; from a build
    with coverage counters beside the default one, made once for each state of the tree. Each case's
    time is that build's, slower than the default build's."""
    cache = STATE / "coverage.json"
    digest = tree_digest()
    if cache.exists():
        saved = json.loads(cache.read_text())
        if saved.get("digest") == digest and set(saved["cases"]) == {c.key for c in cases}:
            return saved
    print("mutation-sweep: building with coverage counters in " + str(COVERAGE.relative_to(ROOT)), flush=True)
    if not (COVERAGE / "build.ninja").exists():
        flags = "--coverage -fprofile-update=atomic"
        subprocess.run(["cmake", "-S", str(ROOT), "-B", str(COVERAGE), "-G", "Ninja", "-DBRANNOC_TARGET=linux",
                        "-DCMAKE_BUILD_TYPE=Debug", "-DBRANNOC_BENCH=OFF", f"-DCMAKE_CXX_FLAGS={flags}",
                        f"-DCMAKE_C_FLAGS={flags}", "-DCMAKE_EXE_LINKER_FLAGS=--coverage"],
                       check=True, stdout=subprocess.DEVNULL)
    if not build([], jobs, None, COVERAGE):
        sys.exit("mutation-sweep: the build with coverage counters fails")
    saved = {"digest": digest, "cases": {}, "code": {}}
    code = {}
    for case in cases:
        for old in COVERAGE.rglob("*.gcda"):
            old.unlink()
        moved = case.moved_to(COVERAGE)
        started = time.monotonic()
        if run(moved.command + ["--gtest_brief=1"], cwd=moved.cwd, env=moved.env) != 0:
            sys.exit(f"mutation-sweep: {case.name} fails on the unmutated tree")
        seconds = time.monotonic() - started
        counters = sorted(COVERAGE.rglob("*.gcda"))
        if not counters:
            sys.exit(f"mutation-sweep: {case.name} left no coverage counters")
        runs = {}
        for name, counts in gcov_lines(counters).items():
            code.setdefault(name, set()).update(counts)
            reached = sorted(n for n, c in counts.items() if c > 0)
            if reached:
                runs[name] = reached
        saved["cases"][case.key] = {"seconds": seconds, "lines": runs}
        print(f"mutation-sweep: {case.name} {seconds:.1f} s", flush=True)
    saved["code"] = {name: sorted(numbers) for name, numbers in code.items()}
    cache.write_text(json.dumps(saved))
    return saved


def spread(mutants, batch, seed):
    """Every file's mutants shuffled, then taken in turns, a few from each file, so that a run cut
    short has looked at every file; the few from one file share its builds."""
    by_file = {}
    for mutant in mutants:
        by_file.setdefault(mutant[1].path, []).append(mutant)
    shuffle = random.Random(seed)
    files = sorted(by_file)
    shuffle.shuffle(files)
    for path in files:
        shuffle.shuffle(by_file[path])
    ordered = []
    while any(by_file.values()):
        for path in files:
            ordered += by_file[path][:batch]
            del by_file[path][:batch]
    return ordered


def object_of(relative):
    """The default build's object of a source file, or None (a header)."""
    if not hasattr(object_of, "targets"):
        out = subprocess.run(["ninja", "-t", "targets", "all"], cwd=BUILD, capture_output=True, text=True,
                             check=True).stdout
        object_of.targets = [line.split(":")[0] for line in out.splitlines()]
    inside = str(Path(relative).relative_to("src")) + ".o"
    found = [t for t in object_of.targets if t.startswith("src/CMakeFiles/") and t.endswith("/" + inside)]
    return BUILD / found[0] if len(found) == 1 else None


PLACE = re.compile(r"^(/[^:\s]+):(\d+):\d+:.*(error:|required from|was not initialized with a constant expression)")


def leave_out_failing(output, tree, run_time, mutated_lines, left_out):
    """Adds to left_out ({file: lines}) what the switched build's errors blame, and says how many:
    a declaration the copy works out at run time that a line needs as a constant (an array's size, a
    case label), which then stays the compiler's; else a mutated line that does not build switched.
    run_time is {name: [(file, line)]} of those declarations."""
    found = 0
    for message in output.splitlines():
        m = PLACE.match(message)
        if not m or not Path(m.group(1)).is_relative_to(tree):
            continue
        relative, number = Path(m.group(1)).relative_to(tree), int(m.group(2))
        source = (tree / relative).read_text(errors="replace").splitlines()
        code = source[number - 1].split("//")[0] if number <= len(source) else ""
        # Only where the compiler says it wants a constant: the errors that follow from one are
        # full of other names.
        named = set()
        if re.search(r"constant|constexpr", message):
            named = {(path, line) for name in set(re.findall(r"\w+", code)) for path, line in run_time.get(name, [])
                     if (path, line) != (relative, number)}
        if not named and number in mutated_lines.get(relative, ()):
            named = {(relative, number)}
        for path, line in named:
            if line not in left_out[path]:
                left_out[path].add(line)
                found += 1
    return found


def schema_sweep(args, numbered, total, lines_of):
    """Every mutant in one build (scripts/mutation_schema.py): the tests that reach a mutant's place
    run with it on, the quickest first, until one fails."""
    from concurrent.futures import ThreadPoolExecutor
    import shutil
    import mutation_schema

    tree, build_dir = SCHEMA / "tree", SCHEMA / "build"
    listed = subprocess.run(["git", "ls-files", "-z", "-co", "--exclude-standard"], cwd=ROOT, capture_output=True,
                            check=True).stdout.decode().split("\0")

    def write(relative, data):
        # Only what changed, so that a second sweep rebuilds only that.
        target = tree / relative
        if target.exists() and target.read_bytes() == data:
            return
        target.parent.mkdir(parents=True, exist_ok=True)
        target.write_bytes(data)
    for relative in listed:
        if relative and (ROOT / relative).is_file() and not relative.startswith("build/"):
            write(relative, (ROOT / relative).read_bytes())
            shutil.copymode(ROOT / relative, tree / relative)
    # Optimised, with no debug information: the golden replays, which every survivor runs, spend
    # most of their time hashing and filling frames, loops that vectorise at -O3.
    subprocess.run(["cmake", "-S", str(tree), "-B", str(build_dir), "-G", "Ninja", "-DBRANNOC_TARGET=linux",
                    "-DCMAKE_BUILD_TYPE=Debug", "-DBRANNOC_BENCH=OFF", "-DCMAKE_CXX_FLAGS_DEBUG=",
                    f"-DCMAKE_CXX_FLAGS=-O3 -include {ROOT / 'scripts' / 'mutation_switch.h'}"],
                   check=True, stdout=subprocess.DEVNULL)
    by_file = {}
    for number, mutant in numbered:
        by_file.setdefault(mutant.path, []).append((number, mutant))
    left_out = {path: set() for path in by_file}
    mutated_lines = {path: {m.line for _, m in entries} for path, entries in by_file.items()}
    # Tables filled at run time unless the build says a constant expression needs one of them.
    tables = True
    for attempt in range(30):
        switched = set()
        copy = hashlib.sha256()
        run_time = {}
        for path, entries in by_file.items():
            lines, numbers, names = mutation_schema.switched_file(lines_of[path], entries, left_out[path], tables)
            switched.update(numbers)
            for name, line in names.items():
                run_time.setdefault(name, []).append((path, line))
            write(str(path), "\n".join(lines).encode())
            copy.update("\n".join(lines).encode())
        print(f"mutation-sweep: building {len(switched)} switched mutants in {build_dir.relative_to(ROOT)}", flush=True)
        done = subprocess.run(["nice", "-n", "10", "ninja", "-k", "0", "-j", str(args.jobs)], cwd=build_dir,
                              capture_output=True, text=True)
        if done.returncode == 0:
            break
        found = leave_out_failing(done.stdout, tree, run_time, mutated_lines, left_out)
        if not found and tables:
            tables = False
            print("mutation-sweep: the tables do not build filled at run time; left as constants", flush=True)
            continue
        if not found:
            print(done.stdout[-6000:])
            sys.exit("mutation-sweep: the switched build fails, and not on a mutant's line")
        print(f"mutation-sweep: {found} lines do not compile switched; left out", flush=True)
    else:
        sys.exit("mutation-sweep: the switched build still fails")

    cases = test_cases(build_dir)
    # What a sweep learnt is kept for the next, so that a sweep stopped partway goes on where it
    # was: the traces and every verdict over the same tree and mutants, and a kill over any tree
    # (a mutant's description holds its line).
    drawn = [(n, mutant.describe(lines_of[mutant.path]), n in switched) for n, mutant in numbered]
    tree_now = tree_digest()
    digest = hashlib.sha256((tree_now + repr(drawn) + copy.hexdigest()).encode()).hexdigest()
    saved_path, verdicts_path = SCHEMA / "traced.json", SCHEMA / "verdicts"
    saved = json.loads(saved_path.read_text()) if saved_path.exists() else {}
    # A line cut short by a sweep killed while writing it is left out.
    kept = [line.split("\t", 1) for line in verdicts_path.read_text().splitlines() if "\t" in line] \
        if verdicts_path.exists() else []
    # A survivor holds while the tree and its tests do, whatever else the copy switches.
    same_tree = saved.get("tree") == tree_now
    if saved.get("digest") != digest:
        saved = {"digest": digest, "tree": tree_now, "cases": {}}
    # Unreached is cheap to find again, and a table filled at run time may be reached now.
    verdicts = {d: outcome for outcome, d in kept
                if (same_tree and outcome != "unreached") or outcome in ("killed", "timeout")}
    verdicts_path.write_text("".join(f"{outcome}\t{d}\n" for d, outcome in verdicts.items()))
    description_of = {n: d for n, d, _ in drawn}
    traces = SCHEMA / "traces"
    shutil.rmtree(traces, ignore_errors=True)
    traces.mkdir(parents=True)

    def traced(entry):
        index, case = entry
        trace = traces / str(index)
        started = time.monotonic()
        # Not through run(), whose one child at a time a second thread would stop.
        code = subprocess.run(case.command + ["--gtest_brief=1"], cwd=case.cwd, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL, env={**os.environ, **case.env,
                                                              "BRANNOC_MUTANT_TRACE": str(trace), "BRANNOC_MUTANT": "0"}
                              ).returncode
        reached = sorted({int(n) for n in trace.read_text().split()}) if trace.exists() else []
        return case, code, [time.monotonic() - started, reached]
    untraced = [(i, c) for i, c in enumerate(cases) if c.name not in saved["cases"]]
    failing = []
    with ThreadPoolExecutor(max_workers=args.jobs) as pool:
        for done_count, (case, code, record) in enumerate(pool.map(traced, untraced), start=1):
            if code != 0:
                failing.append(case.name)
                continue
            saved["cases"][case.name] = record
            if done_count % 50 == 0:
                saved_path.write_text(json.dumps(saved))
    saved_path.write_text(json.dumps(saved))
    if failing:
        sys.exit(f"mutation-sweep: {', '.join(failing)} fail with every mutant off")
    reaches = {}
    for case in cases:
        case.seconds, reached = saved["cases"][case.name]
        for number in reached:
            reaches.setdefault(number, []).append(case)
    cases.sort(key=lambda c: c.seconds)
    print(f"mutation-sweep: {len(cases)} tests take {sum(c.seconds for c in cases):.0f} s with every mutant off",
          flush=True)

    def one(number):
        if description_of[number] in verdicts:
            return verdicts[description_of[number]]
        chosen = sorted(reaches.get(number, []), key=lambda c: c.seconds)
        if not chosen:
            return "unreached"
        def fails(case):
            code = subprocess.run(case.command + ["--gtest_brief=1"], cwd=case.cwd, timeout=case.limit(args.timeout),
                                  env={**os.environ, **case.env, "BRANNOC_MUTANT": str(number)},
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode
            return code != 0

        for case in chosen:
            try:
                # Twice: a test that fails now and then on a loaded machine is no kill.
                if fails(case) and fails(case):
                    return "killed"
            except subprocess.TimeoutExpired:
                return "timeout"
        return "survived"

    counts = {"killed": 0, "survived": 0, "timeout": 0, "unreached": 0}
    survivors = []
    constants = set()
    runnable = [(n, m) for n, m in numbered if n in switched]
    started = time.monotonic()
    with ThreadPoolExecutor(max_workers=args.jobs) as pool:
        for (number, mutant), outcome in zip(runnable, pool.map(lambda e: one(e[0]), runnable)):
            counts[outcome] += 1
            if description_of[number] not in verdicts:
                with verdicts_path.open("a") as out:
                    out.write(f"{outcome}\t{description_of[number]}\n")
            description = mutant.describe(lines_of[mutant.path])
            print(f"[{number}/{total}] {outcome}: {description}", flush=True)
            if outcome == "survived":
                survivors.append(description)
            elif outcome == "unreached" and CONSTANT.search(lines_of[mutant.path][mutant.line - 1]):
                # The compiler works a constant out itself, where no switch turns a mutant on.
                constants.add(number)
            elif outcome == "unreached":
                survivors.append(description + " (no test runs this line)")
    counts["unreached"] -= len(constants)
    left = [(n, m) for n, m in numbered if n not in switched or n in constants]
    print()
    print(f"not switched, or in a constant ({len(left)}), to be run one at a time with --pick "
          f"{','.join(str(n) for n, _ in left) or '-'}:")
    for _, mutant in left:
        print("  " + mutant.describe(lines_of[mutant.path]))
    print(f"survivors ({len(survivors)}):")
    for line in survivors:
        print("  " + line)
    ran = sum(counts.values())
    killed = counts["killed"] + counts["timeout"]
    score = 100.0 * killed / ran if ran else 0.0
    print(f"score: {killed} of {ran} switched mutants killed ({score:.1f}%); {counts['timeout']} of them by the time "
          f"limit, {counts['unreached']} on lines no test runs; {len(left)} not switched or in a constant; "
          f"{(time.monotonic() - started) / 60:.0f} min")
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("files", nargs="*", help="files or folders (default: the rule code)")
    parser.add_argument("--sample", type=int, default=0, help="run this many mutants, drawn at random (0: all)")
    parser.add_argument("--seed", type=int, default=1, help="seed of the draw")
    parser.add_argument("--timeout", type=float, default=0,
                        help="seconds each test may take (default: three times the unmutated run, at least "
                             "ten seconds more)")
    parser.add_argument("--jobs", type=int, default=2, help="build jobs")
    parser.add_argument("--pick", default="",
                        help="run only these of the drawn mutants, by their numbers in an earlier run (1,5,9)")
    parser.add_argument("--spread", type=int, default=0,
                        help="run the mutants shuffled, this many of one file at a time, in turns over the files "
                             "(0: in order)")
    parser.add_argument("--no-coverage", action="store_true",
                        help="run every test that relinked, not only those that run the mutated line")
    parser.add_argument("--list", action="store_true", help="print the drawn mutants and stop")
    parser.add_argument("--schema", action="store_true",
                        help="build every mutant at once behind switches, in build/mutation-schema, and turn each "
                             "on in the tests that reach it (no build per mutant; --jobs tests at a time)")
    args = parser.parse_args()

    for number in SIGNALS:
        if signal.getsignal(number) != signal.SIG_IGN:
            signal.signal(number, on_signal)
        else:
            # Under nohup a hang-up stays without effect, but caught rather than ignored: an
            # ignored signal stays ignored in every test started, and a test of the hang-up fails.
            signal.signal(number, lambda *_: None)

    # First of all, before any source is read: a file that a killed run left mutated.
    restore_left_over()
    files = source_files(args.files or RULE_CODE)
    texts = {path: path.read_bytes() for path in files}
    mutants = []
    for path in files:
        lines = texts[path].decode().split("\n")
        mutants += mutants_of(path.relative_to(ROOT), lines)
    mutants.sort(key=Mutant.key)
    drawn = random.Random(args.seed).sample(mutants, args.sample) if 0 < args.sample < len(mutants) else mutants
    drawn.sort(key=Mutant.key)
    lines_of = {path.relative_to(ROOT): texts[path].decode().split("\n") for path in files}
    print(f"mutation-sweep: {len(drawn)} of {len(mutants)} mutants in {len(files)} files, seed {args.seed}",
          flush=True)
    numbered = list(enumerate(drawn, start=1))
    if args.pick:
        picked = {int(n) for n in args.pick.split(",")}
        numbered = [(n, m) for n, m in numbered if n in picked]
    if args.spread:
        numbered = spread(numbered, args.spread, args.seed)
    if args.list:
        for n, m in numbered:
            print(f"[{n}/{len(drawn)}] {m.describe(lines_of[m.path])}")
        return 0
    if args.schema:
        return schema_sweep(args, numbered, len(drawn), lines_of)

    if not (BUILD / "build.ninja").exists():
        subprocess.run(["cmake", "--preset", "default"], cwd=ROOT, check=True, stdout=subprocess.DEVNULL)
    STATE.mkdir(parents=True, exist_ok=True)

    # Everything once, so that ctest knows the tests that the binaries hold.
    if not build([], args.jobs, None):
        sys.exit("mutation-sweep: the unmutated tree does not build")
    cases = test_cases()
    binaries = sorted({c.binary for c in cases})
    # A binary sees a mutant only where its bytes differ from the unmutated build's: one that only
    # relinked (the compiler made the same code of the mutant) runs none of its tests.
    unmutated = {b: hashlib.sha256(b.read_bytes()).digest() for b in binaries}
    if args.no_coverage:
        for case in cases:
            started = time.monotonic()
            if run(case.command + ["--gtest_brief=1"], cwd=case.cwd, env=case.env) != 0:
                sys.exit(f"mutation-sweep: {case.name} fails on the unmutated tree")
            case.seconds = time.monotonic() - started
        runs, code = None, None
    else:
        saved = coverage(cases, args.jobs)
        for case in cases:
            case.seconds = saved["cases"][case.key]["seconds"]
        runs = {c.key: {(f, n) for f, numbers in saved["cases"][c.key]["lines"].items() for n in numbers}
                for c in cases}
        code = {(f, n) for f, numbers in saved["code"].items() for n in numbers}
    cases.sort(key=lambda c: c.seconds)  # the quick ones first: most mutants die there
    print(f"mutation-sweep: {len(cases)} tests in {len(binaries)} binaries take {sum(c.seconds for c in cases):.0f} s",
          flush=True)

    counts = {"killed": 0, "survived": 0, "timeout": 0, "no-compile": 0, "unseen": 0, "unreached": 0}
    survivors = []
    started = time.monotonic()
    try:
        for index, mutant in numbered:
            path = ROOT / mutant.path
            original = texts[path]
            lines = original.decode().split("\n")
            where = (str(mutant.path), mutant.line)
            # The tests that run the mutated line. A line without code of its own (a constant, a
            # declaration) may change any test that sees it, and so may any line of a header: a member's
            # initial value there may reach an object that is set up before the program runs.
            if code is not None and where in code and mutant.path.suffix == ".cpp":
                chosen = [c for c in cases if where in runs[c.key]]
            else:
                chosen = cases
            targets = sorted({c.binary for c in chosen})
            if not targets:
                target = object_of(mutant.path)
                targets = [target] if target else binaries
            backup = STATE / "backup" / mutant.path
            backup.parent.mkdir(parents=True, exist_ok=True)
            backup.write_bytes(original)
            PENDING.write_text(str(mutant.path))
            began = time.monotonic()
            try:
                path.write_text("\n".join(mutant.apply(lines)))
                if not build(targets, args.jobs, 900):
                    outcome = "no-compile"
                elif not chosen:
                    outcome = "unreached"
                else:
                    seen = {b for b in binaries if hashlib.sha256(b.read_bytes()).digest() != unmutated[b]}
                    chosen = [c for c in chosen if c.binary in seen]
                    outcome = run_cases(chosen, args.timeout) if chosen else "unseen"
            finally:
                # Not to be cut short by a second signal.
                signal.pthread_sigmask(signal.SIG_BLOCK, SIGNALS)
                put_back(path, original)
                PENDING.unlink()
                signal.pthread_sigmask(signal.SIG_UNBLOCK, SIGNALS)
            counts[outcome] += 1
            description = mutant.describe(lines)
            print(f"[{index}/{len(drawn)}] {outcome} ({time.monotonic() - began:.0f} s): {description}", flush=True)
            if outcome == "survived":
                survivors.append(description)
            elif outcome == "unseen":
                survivors.append(description + " (no test binary links it, or the compiler made the same code)")
            elif outcome == "unreached":
                survivors.append(description + " (no test runs this line)")
    except Interrupted as signal_name:
        print(f"mutation-sweep: stopped by {signal_name}; the file is put back", flush=True)
    finally:
        stop_current()

    ran = sum(counts.values()) - counts["no-compile"]
    killed = counts["killed"] + counts["timeout"]
    print()
    print(f"survivors ({len(survivors)}):")
    for line in survivors:
        print("  " + line)
    minutes = (time.monotonic() - started) / 60
    score = 100.0 * killed / ran if ran else 0.0
    print(f"score: {killed} of {ran} mutants killed ({score:.1f}%); {counts['timeout']} of them by the time limit, "
          f"{counts['no-compile']} did not compile (not counted); {counts['unreached']} on lines no test runs, "
          f"{counts['unseen']} seen by no test binary; {len(numbered) - ran - counts['no-compile']} of {len(numbered)} "
          f"not run; {minutes:.0f} min")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except Interrupted as name:  # before any file was touched
        sys.exit(f"mutation-sweep: stopped by {name}")

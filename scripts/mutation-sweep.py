#!/usr/bin/env python3
"""Small wrong changes to the game's rule code, one at a time: each should fail a test.

A comparison flipped or loosened, && and || swapped, true and false swapped, a constant off by
one, a statement dropped, a return or continue removed. Each mutant is built incrementally in the
default preset, only the test binaries that relinked (those that can see the change) run, under a
time limit, and the file is put back whatever happens. Prints each survivor as file:line and the
change, and last the score. Not part of ./check or CI: it takes a long while.

  scripts/mutation-sweep.py --sample 60 --seed 1 [files...]
"""

import argparse
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
PENDING = STATE / "pending"

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


def run(command, timeout=None, quiet=True):
    """Runs a command in a process group of its own; its exit code, or None when out of time."""
    global current
    current = subprocess.Popen(command, cwd=BUILD, start_new_session=True, preexec_fn=default_signals,
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


def test_binaries():
    """The GoogleTest binaries that ctest runs, as paths in the build."""
    listing = subprocess.run(["ctest", "--show-only=json-v1"], cwd=BUILD, capture_output=True, text=True,
                             check=True)
    binaries = set()
    for test in json.loads(listing.stdout).get("tests", []):
        command = test.get("command") or []
        if command and any(a.startswith("--gtest_filter") for a in command[1:]):
            binary = Path(command[0])
            if binary.is_relative_to(BUILD):
                binaries.add(binary)
    return sorted(binaries)


def build(targets, jobs, timeout):
    command = ["nice", "-n", "10", "ninja", "-j", str(jobs)] + [str(t.relative_to(BUILD)) for t in targets]
    return run(command, timeout=timeout) == 0


def run_tests(binaries, timeout):
    """'killed' at the first failing binary, 'timeout' when out of time, else 'survived'."""
    end = time.monotonic() + timeout
    for binary in binaries:
        left = end - time.monotonic()
        if left <= 0:
            return "timeout"
        code = run([str(binary), "--gtest_fail_fast", "--gtest_brief=1"], timeout=left)
        if code is None:
            return "timeout"
        if code != 0:
            return "killed"
    return "survived"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("files", nargs="*", help="files or folders (default: the rule code)")
    parser.add_argument("--sample", type=int, default=0, help="run this many mutants, drawn at random (0: all)")
    parser.add_argument("--seed", type=int, default=1, help="seed of the draw")
    parser.add_argument("--timeout", type=float, default=0,
                        help="seconds a mutant's tests may take (default: three times the unmutated run, "
                             "at least 60)")
    parser.add_argument("--jobs", type=int, default=2, help="build jobs")
    parser.add_argument("--pick", default="",
                        help="run only these of the drawn mutants, by their numbers in an earlier run (1,5,9)")
    parser.add_argument("--list", action="store_true", help="print the drawn mutants and stop")
    args = parser.parse_args()

    for number in SIGNALS:
        if signal.getsignal(number) != signal.SIG_IGN:  # under nohup, a hang-up stays ignored
            signal.signal(number, on_signal)

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
    if args.list:
        for n, m in numbered:
            print(f"[{n}/{len(drawn)}] {m.describe(lines_of[m.path])}")
        return 0

    if not (BUILD / "build.ninja").exists():
        subprocess.run(["cmake", "--preset", "default"], cwd=ROOT, check=True, stdout=subprocess.DEVNULL)
    STATE.mkdir(parents=True, exist_ok=True)

    # Everything once, so that ctest knows the tests that the binaries hold.
    if not build([], args.jobs, None):
        sys.exit("mutation-sweep: the unmutated tree does not build")
    binaries = test_binaries()
    baseline = {}
    for binary in binaries:
        started = time.monotonic()
        if run([str(binary), "--gtest_brief=1"], quiet=False) != 0:
            sys.exit(f"mutation-sweep: {binary.name} fails on the unmutated tree")
        baseline[binary] = time.monotonic() - started
    binaries.sort(key=lambda b: baseline[b])  # the quick ones first: most mutants die there
    print("mutation-sweep: unmutated tests take " + ", ".join(f"{b.name} {baseline[b]:.0f} s" for b in binaries),
          flush=True)
    limit = args.timeout or max(60.0, 3 * sum(baseline.values()))

    counts = {"killed": 0, "survived": 0, "timeout": 0, "no-compile": 0, "unseen": 0}
    survivors = []
    started = time.monotonic()
    try:
        for index, mutant in numbered:
            path = ROOT / mutant.path
            original = texts[path]
            lines = original.decode().split("\n")
            backup = STATE / "backup" / mutant.path
            backup.parent.mkdir(parents=True, exist_ok=True)
            backup.write_bytes(original)
            PENDING.write_text(str(mutant.path))
            try:
                path.write_text("\n".join(mutant.apply(lines)))
                before = {b: b.stat().st_mtime_ns for b in binaries}
                if not build(binaries, args.jobs, 900):
                    outcome = "no-compile"
                else:
                    seen = [b for b in binaries if b.stat().st_mtime_ns != before[b]]
                    outcome = run_tests(seen, limit) if seen else "unseen"
            finally:
                # Not to be cut short by a second signal.
                signal.pthread_sigmask(signal.SIG_BLOCK, SIGNALS)
                put_back(path, original)
                PENDING.unlink()
                signal.pthread_sigmask(signal.SIG_UNBLOCK, SIGNALS)
            counts[outcome] += 1
            description = mutant.describe(lines)
            print(f"[{index}/{len(drawn)}] {outcome}: {description}", flush=True)
            if outcome in ("survived", "unseen"):
                survivors.append(description + (" (no test binary links it)" if outcome == "unseen" else ""))
    except Interrupted as signal_name:
        print(f"mutation-sweep: stopped by {signal_name}; the file is put back", flush=True)
    finally:
        stop_current()

    ran = counts["killed"] + counts["timeout"] + counts["survived"] + counts["unseen"]
    killed = counts["killed"] + counts["timeout"]
    print()
    print(f"survivors ({len(survivors)}):")
    for line in survivors:
        print("  " + line)
    minutes = (time.monotonic() - started) / 60
    score = 100.0 * killed / ran if ran else 0.0
    print(f"score: {killed} of {ran} mutants killed ({score:.1f}%); {counts['timeout']} of them by the time limit, "
          f"{counts['no-compile']} did not compile (not counted); {minutes:.0f} min")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except Interrupted as name:  # before any file was touched
        sys.exit(f"mutation-sweep: stopped by {name}")

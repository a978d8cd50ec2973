"""Every mutant of a file written into it at once, each behind a switch of scripts/mutation_switch.h,
so that one build holds them all and a test run turns one on by its number (BRANNOC_MUTANT).

A comparison `a < b` becomes `a < Site(...) < b`, a boolean or a constant a choice between the
original and its mutants, and a statement, return or continue that a mutant drops is wrapped in an
`if` that skips it. && and || swapped cannot be switched without losing their short circuit: those
mutants, and any whose line does not compile switched, are left out and listed.
"""

import re

OPS = {"<": "lt", "<=": "le", ">": "gt", ">=": "ge", "==": "eq", "!=": "ne"}
NS = "::brannoc_mutant::"
WRAPPED = ("statement dropped", "return removed", "continue removed")


def on(number):
    return f"{NS}on({number})"


def token_text(original, entries):
    """The switched text of one token: entries are (number, mutant), all of the same place."""
    kind = entries[0][1].kind
    if kind.startswith("comparison"):
        alternatives = [OPS[m.replacement] for _, m in entries] + [OPS[original]]
        op = lambda name: f"{NS}Op::{name}"  # noqa: E731
        site = (f"{NS}Site({entries[0][0]}, {op(OPS[original])}, {op(alternatives[0])}, "
                f"{op(alternatives[1])}, {len(entries)})")
        return f"{original} {site} {original}"
    choice = original
    for number, mutant in reversed(entries):
        choice = f"{on(number)} ? {mutant.replacement} : {choice}"
    return f"({choice})"


def switched_line(text, numbered):
    """The line with its mutants switched, or None where two of them overlap in a way that cannot
    be written (then the line is left alone)."""
    tokens = {}
    wraps = []
    for number, mutant in numbered:
        if mutant.kind in WRAPPED:
            wraps.append((mutant.start, mutant.end, number))
        else:
            tokens.setdefault((mutant.start, mutant.end), []).append((number, mutant))
    # Comparison mutants must be consecutive numbers: the site turns on first, first + 1.
    for entries in tokens.values():
        numbers = [n for n, _ in entries]
        if numbers != list(range(numbers[0], numbers[0] + len(numbers))):
            return None
    spans = sorted(tokens)
    for (s1, e1), (s2, _) in zip(spans, spans[1:]):
        if s2 < e1:
            return None
    for start, end, _ in wraps:
        for s, e in spans:
            if s < start < e or s < end < e:
                return None
    for (a1, b1, _), (a2, b2, _) in zip(sorted(wraps), sorted(wraps)[1:]):
        if a2 < b1 and b2 > b1:
            return None
    out = []
    i = 0
    starts = {}
    for start, end, number in wraps:
        starts.setdefault(start, []).append((end, number))
    ends = {}
    token_at = {s: (e, entries) for (s, e), entries in tokens.items()}
    while i <= len(text):
        out.append("".join(" } }" for _ in range(ends.pop(i, 0))))
        for end, number in sorted(starts.get(i, []), reverse=True):
            out.append(f"{{ if (!{on(number)}) {{ ")
            ends[end] = ends.get(end, 0) + 1
        if i == len(text):
            break
        if i in token_at:
            end, entries = token_at[i]
            out.append(token_text(text[i:end], entries))
            i = end
            continue
        out.append(text[i])
        i += 1
    return "".join(out)


# A table or a constant of a class type, which the compiler would work out itself: in the copy it is
# filled at run time instead, where a switch can turn a mutant of its values on.
TABLE_START = re.compile(r"^(\s*(?:inline\s+|static\s+)*)constexpr(\s[^()]*=\s*\{\s*)$")
SINGLE = re.compile(r"^(\s*(?:inline\s+)?)constexpr(\s+(?!(?:std::)?u?int\w*\b|int\b|bool\b|char\b|unsigned\b|"
                    r"long\b|short\b|auto\b|DWORD\b|LONG\b)[\w:]+\s+\w+\s*(?:\{.*\}|=\s*\{.*\});.*)$")


def declaration_of(lines, index):
    """The index of the line that declares the table or constant line `index` belongs to, or None."""
    if SINGLE.match(lines[index]):
        return index
    for above in range(index - 1, max(index - 40, -1), -1):
        if TABLE_START.match(lines[above]):
            return above
        if lines[above].rstrip().endswith(";"):
            return None
    return None


def run_time(line):
    """The declaration with `constexpr` made `const`."""
    return line.replace("constexpr", "const", 1)


def switched_file(lines, numbered, left_out, tables=True):
    """The file's lines with every mutant switched, but those of the lines in left_out; and the
    numbers of the mutants switched."""
    by_line = {}
    for number, mutant in numbered:
        if mutant.kind == "logic swapped":
            continue
        by_line.setdefault(mutant.line, []).append((number, mutant))
    out = list(lines)
    switched = []
    for line, entries in by_line.items():
        if line in left_out:
            continue
        text = switched_line(lines[line - 1], entries)
        if text is None:
            continue
        declared = declaration_of(lines, line - 1) if tables else None
        if declared is not None:
            text = text.replace(f"{NS}on(", f"{NS}onRun(")
            if declared == line - 1:
                text = run_time(text)
            elif "constexpr" in out[declared]:
                out[declared] = run_time(out[declared])
        out[line - 1] = text
        switched += [n for n, _ in entries]
    return out, switched

"""Every mutant of a file written into it at once, each behind a switch of scripts/mutation_switch.h,
so that one build holds them all and a test run turns one on by its number (BRANNOC_MUTANT).

A comparison `a < b` becomes `a < Site(...) < b`, a boolean or a constant a choice between the
original and its mutants, and a statement, return or continue that a mutant drops is wrapped in an
`if` that skips it. && and || swapped is a choice between the whole condition as written and as
swapped, each keeping its short circuit; where the condition does not end on its line, and for any
line that does not compile switched, the mutants are left out and listed.
"""

import copy
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


def condition_span(text, start, end):
    """(first, last) of the condition around the && or || at text[start:end], from the bracket,
    `return`, assignment, `?`, `:`, `,` or `;` before it to the one after it; None where either end
    is not on this line."""
    def boundary(i):
        c = text[i]
        if c in "?,;":
            return True
        if c == ":":
            return text[i - 1:i] != ":" and text[i + 1:i + 2] != ":"
        if c == "=":
            return text[i - 1:i] not in ("=", "<", ">", "!") and text[i + 1:i + 2] != "="
        return False
    depth, first = 0, None
    for i in range(start - 1, -1, -1):
        if text[i] in ")]}":
            depth += 1
        elif text[i] in "([{":
            if depth == 0:
                first = i + 1
                break
            depth -= 1
        elif depth == 0 and (boundary(i) or (text[i - 5:i + 1] == "return" and not text[i - 6:i - 5].isalnum())):
            first = i + 1
            break
    if first is None:
        return None
    depth = 0
    for j in range(end, len(text)):
        if text[j] in "([{":
            depth += 1
        elif text[j] in ")]}":
            if depth == 0:
                return first, j
            depth -= 1
        elif depth == 0 and boundary(j):
            return first, j
    return None


def shifted(mutant, by):
    moved = copy.copy(mutant)
    moved.start, moved.end = mutant.start - by, mutant.end - by
    return moved


def swapped_condition(text, span, swaps, inner):
    """The condition text[span] as a choice between its swapped forms and itself, with the other
    mutants inside it switched in every form; None where they cannot be."""
    first, last = span
    inside = [(n, shifted(m, first)) for n, m in inner]
    original = switched_line(text[first:last], inside)
    if original is None:
        return None
    choice = f"({original})"
    for number, mutant in reversed(swaps):
        form = text[first:mutant.start] + mutant.replacement + text[mutant.end:last]
        written = switched_line(form, inside)
        if written is None:
            return None
        choice = f"{on(number)} ? ({written}) : {choice}"
    return f"({choice})"


def switched_line(text, numbered):
    """The line with its mutants switched, or None where two of them overlap in a way that cannot
    be written (then the line is left alone)."""
    swaps = [(n, m) for n, m in numbered if m.kind == "logic swapped"]
    if swaps:
        # One condition a line (switched_file keeps the swaps of one), every other mutant inside it
        # switched within each of its forms.
        span = condition_span(text, swaps[0][1].start, swaps[0][1].end)
        if span is None or any(condition_span(text, m.start, m.end) != span for _, m in swaps):
            return None
        inner = [(n, m) for n, m in numbered if m.kind != "logic swapped" and span[0] <= m.start and m.end <= span[1]]
        condition = swapped_condition(text, span, swaps, inner)
        if condition is None:
            return None
        outer = [(n, m) for n, m in numbered if m.kind != "logic swapped" and (n, m) not in inner]
        for _, m in outer:
            if m.start < span[1] and span[0] < m.end and not (m.start <= span[0] and span[1] <= m.end):
                return None
        # The condition stands in as one token of the line, between the mutants outside it.
        marker = "\0" * (span[1] - span[0])
        rest = switched_line(text[:span[0]] + marker + text[span[1]:], outer)
        return None if rest is None else rest.replace(marker, condition, 1)
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


# A variable, constant or table of one line with its first value (`constexpr int tallLook = 4;`, a
# global's `std::int32_t lastMug = 0;`): the compiler works its value out itself, so in the copy it
# is worked out as the program starts. Where the build needs it as a constant (an array's size),
# the sweep leaves it alone.
VARIABLE = re.compile(r"^\s*(?:(?:inline|static)\s+)*(?:constexpr\s+|const\s+)?"
                      r"(?!(?:return|else|case|delete|throw|goto)\b)[\w:]+\s+(\w+)\s*=(?!=)[^;{}]*;\s*(?://.*)?$")
ROW = re.compile(r"^\s*(?:(?:inline|static)\s+)*constexpr\s+[\w:]+\s+\w+\s*\[[^\]]*\]\s*=\s*\{.*\};\s*(?://.*)?$")
NAME = re.compile(r"(\w+)\s*(?:\[[^\]]*\]\s*)*(?:=|\{)")


def declaration_of(lines, index):
    """The index of the line that declares the table or constant line `index` belongs to, or None."""
    if SINGLE.match(lines[index]) or VARIABLE.match(lines[index]) or ROW.match(lines[index]):
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


def declared_name(line):
    """The name a declaration's line declares, or None."""
    found = NAME.search(line.split("//")[0])
    return found.group(1) if found else None


def switched_file(lines, numbered, left_out, tables=True):
    """The file's lines with every mutant switched, but those of the lines in left_out; the numbers
    of the mutants switched; and {name: line} of the declarations worked out at run time."""
    by_line = {}
    for number, mutant in numbered:
        by_line.setdefault(mutant.line, []).append((number, mutant))
    out = list(lines)
    switched = []
    run_time_names = {}
    for line, entries in by_line.items():
        if line in left_out:
            continue
        swaps = [(n, m) for n, m in entries if m.kind == "logic swapped"]
        if swaps:
            # The swaps of one condition a line, the first; the others are left out.
            span = condition_span(lines[line - 1], swaps[0][1].start, swaps[0][1].end)
            entries = [(n, m) for n, m in entries if m.kind != "logic swapped" or
                       (span is not None and condition_span(lines[line - 1], m.start, m.end) == span)]
        text = switched_line(lines[line - 1], entries)
        if text is None and swaps:
            entries = [(n, m) for n, m in entries if m.kind != "logic swapped"]
            text = switched_line(lines[line - 1], entries)
        if text is None:
            continue
        declared = declaration_of(lines, line - 1) if tables else None
        if declared is not None and declared + 1 in left_out:
            declared = None  # needed as a constant: its values stay the compiler's
        if declared is not None:
            text = text.replace(f"{NS}on(", f"{NS}onRun(")
            if declared == line - 1:
                text = run_time(text)
            elif "constexpr" in out[declared]:
                out[declared] = run_time(out[declared])
            name = declared_name(lines[declared])
            if name:
                run_time_names[name] = declared + 1
        out[line - 1] = text
        switched += [n for n, _ in entries]
    return out, switched, run_time_names

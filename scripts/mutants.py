#!/usr/bin/env python3
"""Sampled mutation testing of the product sources (run by scripts/mutants.sh).

Plants one small fault at a time in a program's sources, builds incrementally,
runs the CTest tests that cover the program and counts who notices. The rules:
swap a relational or equality operator, change an integer constant by one,
negate an if/while condition, swap && and ||, drop a statement or one term of
an |= or &=, change a string literal's case. Comments, preprocessor lines and
character literals are never touched.

tests/equivalent_mutants.txt lists survivors that no behaviour can tell from
the original, one a line:
    path: `original line` -> `mutated line`: reason
(lines with their whitespace collapsed; keyed by text, not line number, so
edits elsewhere keep them); such mutants are not tried.
"""
import argparse
import os
import random
import re
import signal
import subprocess
import sys
import time
from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
EQUIVALENTS = ROOT / "tests" / "equivalent_mutants.txt"

# Per program: the sources its images link (folders or files), and the CTest
# tests that run them ("test:filter" runs only those GoogleTest cases of a
# test shared by the programs). Every shipped image links runtime/, and the
# library NRXVGCHG and NRXDEL bind is judged by its own tests too; the LCD
# programs share lcd_common/, whose tests sit with either program's.
PROGRAMS = {
    "nrxvgchg": (["resolution_changer", "display_helper/nrxchg32.cpp", "display_helper/nrxchg32.h",
                  "display_helper/mode_text.cpp", "display_helper/mode_text.h", "runtime"],
                 ["resolution_changer_unit", "resolution_changer_integration", "display_helper_test",
                  "shipped_texts_test:ShippedTexts.*", "resolution_changer_e2e", "switching_e2e", "settings_e2e",
                  "fault_matrix_nrxvgchg", "version_matrix_e2e:NrxvgchgVersions.*", "program_entry_test",
                  "soak_short"]),
    "pivoter": (["lcd_orientation", "lcd_common", "runtime"],
                ["lcd_orientation_unit", "lcd_windows_nt_unit", "lcd_driver_switch_unit", "pivoter_e2e",
                 "fault_matrix_pivoter", "shipped_texts_test:PivoterTexts.*",
                 "version_matrix_e2e:PivoterVersions.*", "program_entry_test", "soak_short"]),
    "rotsel": (["lcd_driver_switch", "lcd_common", "display_helper/restart_now.cpp",
                "display_helper/restart_now.h", "display_helper/nrxchg32.h", "runtime"],
               ["lcd_driver_switch_unit", "lcd_orientation_unit", "lcd_windows_nt_unit", "rotsel_e2e",
                "fault_matrix_rotsel", "shipped_texts_test:RotselTexts.*",
                "version_matrix_e2e:RotselVersions.*", "program_entry_test"]),
    "nrxdel": (["uninstaller", "display_helper/nrxchg32.cpp", "display_helper/nrxchg32.h",
                "display_helper/mode_text.cpp", "display_helper/mode_text.h", "runtime"],
               ["uninstaller_integration", "uninstaller_dialogs", "uninstaller_e2e", "uninstall_sequence",
                "uninstall_histories", "uninstall_footprint_e2e", "display_restore_unit",
                "display_restore_integration", "display_helper_test", "fault_matrix_nrxdel", "shipped_texts_test:ShippedUninstaller.*",
                "version_matrix_e2e:NrxdelVersions.*", "program_entry_test", "soak_short"]),
}
# The build target behind a test, where it is not the test's own name.
TEST_TARGETS = {"soak_short": "soak"}


def test_target(test):
    name = test.split(":")[0]
    return TEST_TARGETS.get(name, name)


@dataclass
class Mutant:
    path: str   # relative to ROOT
    start: int  # span of the original text replaced
    end: int
    text: str   # what replaces it
    rule: str

    def apply(self, source):
        return source[:self.start] + self.text + source[self.end:]


# ---- reading C++ -----------------------------------------------------------

def code_view(source):
    """The source with comments, preprocessor lines and literals blanked to
    spaces (offsets kept), and the spans of string literals' contents."""
    view = list(source)
    strings = []
    i, n = 0, len(source)
    line_start = True
    while i < n:
        c = source[i]
        if line_start and c == "#":
            j = i
            while j < n and (source[j] != "\n" or source[j - 1] == "\\"):
                j += 1
            blank(view, i, j)
            i = j
            continue
        if c == "\n":
            line_start = True
        elif not c.isspace():
            line_start = False
        if source.startswith("//", i):
            j = source.find("\n", i)
            j = n if j < 0 else j
        elif source.startswith("/*", i):
            j = source.find("*/", i) + 2
        elif c in "\"'":
            j = i + 1
            while source[j] != c:
                j += 2 if source[j] == "\\" else 1
            j += 1
            if c == '"':
                strings.append((i + 1, j - 1))
        else:
            i += 1
            continue
        blank(view, i, j)
        i = j
    return "".join(view), strings


def blank(view, start, end):
    for k in range(start, end):
        if view[k] != "\n":
            view[k] = " "


def closing(code, open_at):
    """Offset of the bracket closing the one at open_at."""
    depth = 0
    for k in range(open_at, len(code)):
        if code[k] in "([{":
            depth += 1
        elif code[k] in ")]}":
            depth -= 1
            if depth == 0:
                return k
    return -1


# ---- the rules ---------------------------------------------------------------

RELATIONAL_SWAPS = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
KEYWORDS = {"return", "if", "while", "for", "switch", "case", "default", "else", "do", "goto",
            "sizeof", "delete", "new", "static", "const", "constexpr", "extern", "struct", "enum",
            "typedef", "using", "namespace", "class", "union", "template", "unsigned", "signed",
            "void", "int", "char", "bool", "long", "short", "static_assert"}
STATEMENT_START = re.compile(
    r"(?:([A-Za-z_]\w*)(?:::\w+)*\s*(?:\(|=(?!=)|[-+*/|&^]=|->|\.|\[|\+\+|--)|\+\+|--|\*|break\s*;|continue\s*;)")


def relational(code):
    # Template argument lists are not comparisons.
    masked = re.sub(r"(template|_cast)\s*<[^>]*>", lambda m: " " * len(m.group()), code)
    for m in re.finditer(r"(?<![-<>=!&|+*/%^])(<=|>=|==|!=|<|>)(?![<>=])", masked):
        yield m.start(), m.end(), RELATIONAL_SWAPS[m.group()]


def constants(code):
    for m in re.finditer(r"(?<![\w.])(0[xX][0-9a-fA-F]+|\d+)(?![\w.])", code):
        digits = m.group()
        value = int(digits, 0) if not re.fullmatch(r"0\d+", digits) else int(digits, 8)
        for changed in (value + 1, value - 1):
            if changed < 0:
                continue
            if digits[:2].lower() == "0x":
                hexdigits = format(changed, "X" if digits[2:].isupper() else "x")
                text = digits[:2] + hexdigits.zfill(len(digits) - 2)
            else:
                text = str(changed)
            yield m.start(), m.end(), text


def negated_conditions(code, source):
    for m in re.finditer(r"\b(if|while)\s*\(", code):
        open_at = m.end() - 1
        close_at = closing(code, open_at)
        if close_at > 0:
            yield open_at, close_at + 1, "(!" + source[open_at:close_at + 1] + ")"


def logical(code):
    for m in re.finditer(r"&&|\|\|", code):
        yield m.start(), m.end(), "||" if m.group() == "&&" else "&&"


def statement_end(code, start):
    """The ';' ending the statement that starts at `start`, or -1 where a
    brace comes first (not a plain statement)."""
    depth = 0
    for k in range(start, len(code)):
        if code[k] in "([":
            depth += 1
        elif code[k] in ")]":
            depth -= 1
        elif code[k] in "{}":
            return -1
        elif code[k] == ";" and depth == 0:
            return k
    return -1


def statements(code):
    """Expression statements that begin a line, with their ends."""
    for m in re.finditer(r"(?m)^[ \t]*", code):
        start = m.end()
        head = STATEMENT_START.match(code, start)
        if not head or (head.group(1) or "") in KEYWORDS:
            continue
        before = code[:start].rstrip()
        if before and before[-1] not in ";{}):" and not before.endswith("else"):
            continue  # the rest of a statement begun on an earlier line
        end = statement_end(code, start)
        if end > 0:
            yield start, end + 1


def dropped_statements(code):
    for start, end in statements(code):
        yield start, end, ";"


def dropped_terms(code, source):
    """`x |= A | B` (or &=) with one of its terms left out."""
    for start, end in statements(code):
        end -= 1  # the ';'
        m = re.compile(r"[^;=]*?([|&])=").match(code, start, end)
        if not m:
            continue
        op, terms, depth, begin = m.group(1), [], 0, m.end()
        for k in range(m.end(), end + 1):
            depth += 1 if code[k] in "([" else -1 if code[k] in ")]" else 0
            single = code[k] == op and op not in (code[k - 1], code[k + 1])
            if k == end or (depth == 0 and single):
                terms.append(source[begin:k].strip())
                begin = k + 1
        for i in range(len(terms) if len(terms) > 1 else 0):
            kept = f" {op} ".join(terms[:i] + terms[i + 1:])
            yield m.end(), end, " " + kept


def string_cases(source, strings):
    for start, end in strings:
        text = source[start:end]
        for change in (str.lower, str.upper):
            out, k = [], 0
            while k < len(text):
                if text[k] == "\\":  # an escape keeps its letters
                    m = re.match(r"\\(x[0-9a-fA-F]+|[0-7]{1,3}|.)", text[k:])
                    out.append(m.group())
                    k += len(m.group())
                else:
                    out.append(change(text[k]) if text[k].isascii() else text[k])
                    k += 1
            mutated = "".join(out)
            if mutated != text:
                yield start, end, mutated


def mutants_of(path):
    source = (ROOT / path).read_text(encoding="utf-8")
    code, strings = code_view(source)
    # An asm statement's strings are instructions, extern "C" a linkage: not texts.
    asm = [(m.end() - 1, closing(code, m.end() - 1)) for m in re.finditer(r"\b__asm__\b[^(]*\(", code)]
    strings = [s for s in strings if not any(a < s[0] < b for a, b in asm)
               and not code[:s[0] - 1].rstrip().endswith("extern")]
    spans = [("relational", relational(code)), ("constant", constants(code)),
             ("negate", negated_conditions(code, source)), ("logical", logical(code)),
             ("drop statement", dropped_statements(code)), ("drop term", dropped_terms(code, source)),
             ("string case", string_cases(source, strings))]
    for rule, found in spans:
        for start, end, text in found:
            yield Mutant(path, start, end, text, rule)


def program_sources(program):
    files = []
    for entry in PROGRAMS[program][0]:
        where = ROOT / entry
        found = sorted(where.rglob("*")) if where.is_dir() else [where]
        files += [p for p in found if p.suffix in (".cpp", ".h")]
    return [str(p.relative_to(ROOT)) for p in files]


# ---- telling mutants apart ---------------------------------------------------

def collapse(text):
    return " ".join(text.split())


def changed_lines(mutant, source):
    """Line number, and the touched lines before and after, whitespace collapsed."""
    first = source.rfind("\n", 0, mutant.start) + 1
    last = source.find("\n", mutant.end)
    last = len(source) if last < 0 else last
    after = source[first:mutant.start] + mutant.text + source[mutant.end:last]
    return source.count("\n", 0, mutant.start) + 1, collapse(source[first:last]), collapse(after)


def load_equivalents():
    keys = set()
    if EQUIVALENTS.exists():
        for line in EQUIVALENTS.read_text(encoding="utf-8").splitlines():
            m = re.match(r"^(\S+): `(.*?)` -> `(.*?)`: \S", line)
            if m:
                keys.add(m.groups())
    return keys


# ---- running -----------------------------------------------------------------

class Session:
    """Builds and runs tests in BUILD_DIR, in the Wine session mutants.sh started."""

    def __init__(self, build_dir):
        self.build_dir = build_dir
        self.log = None  # what every test that did not pass said
        self.filters = {}  # test: its GoogleTest cases that fail unmutated, left out
        if build_dir:
            self.log = open(Path(build_dir, "mutants.log"), "w", encoding="utf-8")

    def build(self, tests):
        command = ["cmake", "--build", self.build_dir, "-j2"]
        for test in tests:
            command += ["--target", test_target(test)]
        return subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0

    def run_test(self, test):
        """'passed', 'failed' or 'timeout', the seconds it took and what it printed."""
        name, _, cases = test.partition(":")
        env = dict(os.environ, GTEST_FILTER=(cases or "*") + "-" + ":".join(self.filters.get(test, [])))
        began = time.monotonic()
        result = subprocess.run(["ctest", "--test-dir", self.build_dir, "-R", f"^{name}$", "--output-on-failure"],
                                capture_output=True, text=True, errors="replace", env=env)
        seconds = time.monotonic() - began
        if result.returncode == 0:
            return "passed", seconds, ""
        self.note(f"==== {test}\n{result.stdout}")
        if "***Timeout" not in result.stdout:
            return "failed", seconds, result.stdout
        self.restart_wine()  # what the hung test started may still hold the desktop
        # An assertion that failed before the time ran out is a failure all the same.
        failed = re.search(r"^\S+:\d+: Failure$", result.stdout, re.M)
        return ("failed" if failed else "timeout"), seconds, result.stdout

    def run_again_if_not_passed(self, test):
        """A test's outcome on a busy machine: one that does not pass is run
        again until two runs agree (at most three; else it timed out)."""
        seen = []
        for _ in range(3):
            outcome, seconds, output = self.run_test(test)
            if outcome == "passed" and not seen or outcome in seen:
                return outcome, seconds, output
            seen.append(outcome)
        return "timeout", seconds, output

    def note(self, text):
        if self.log:
            self.log.write(text + "\n")
            self.log.flush()

    def restart_wine(self):
        subprocess.run(["wineserver", "-k"], stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-p"])
        subprocess.Popen([os.environ["WINELOADER"], f"{self.build_dir}/tests/desktop_keeper.exe"],
                         stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(3)


def baseline(session, tests):
    """The tests that pass on the unmutated tree, cheapest first. A
    GoogleTest case that fails there is left out of the run (said so); a
    test that still does not pass without it is left out whole."""
    times = {}
    for test in tests:
        outcome, seconds, output = session.run_again_if_not_passed(test)
        failing = re.findall(r"^\[  FAILED  \] (\S+) \(\d+ ms\)$", output, re.M)
        if outcome == "failed" and failing:
            session.filters[test] = failing
            outcome, seconds, _ = session.run_again_if_not_passed(test)
        if outcome != "passed":
            print(f"mutants: {test} left out: it does not pass on the unmutated tree ({outcome})")
            continue
        if failing:
            print(f"mutants: {test} without {' '.join(failing)}: they fail on the unmutated tree")
        times[test] = seconds
    return sorted(times, key=times.get)


def judge(session, mutant, original, tests):
    """Runs the tests on the mutant, cheapest first: ('killed', test),
    ('timed out', tests) or ('survived', notes). A test kills only when it
    fails on the mutant and not on the unmutated tree right after."""
    path = ROOT / mutant.path
    timed_out, unreliable = [], []
    for test in tests:
        outcome, _, _ = session.run_again_if_not_passed(test)
        if outcome == "timeout":
            timed_out.append(test)
        if outcome != "failed":
            continue
        path.write_text(original, encoding="utf-8")
        control = session.run_test(test)[0] if session.build([test]) else "failed"
        path.write_text(mutant.apply(original), encoding="utf-8")
        if control != "failed":
            return "killed", test
        unreliable.append(test)
        session.build(tests)
    if timed_out:
        return "timed out", " ".join(timed_out)
    return "survived", " ".join(f"{test} failed unmutated too" for test in unreliable)


class Interrupted(Exception):
    pass


def on_signal(number, _frame):
    raise Interrupted(signal.Signals(number).name)


def try_mutants(program, args, session, equivalents):
    tests = PROGRAMS[program][1]
    candidates = [m for path in program_sources(program) for m in mutants_of(path)]
    random.Random(f"{args.seed}:{program}").shuffle(candidates)
    print(f"mutants: {program.upper()}: {len(candidates)} possible mutants, seed {args.seed}", flush=True)
    if not args.dry_run:
        if not session.build(tests):
            sys.exit("mutants: the unmutated tree does not build")
        tests = baseline(session, tests)
    counts = {"tried": 0, "killed": 0, "survived": 0, "timed out": 0, "not compiled": 0, "equivalent": 0}
    survivors, began = [], time.monotonic()
    for number, mutant in enumerate(candidates, 1):
        if counts["tried"] >= args.count:
            break
        if args.only and number not in args.only:
            continue
        original = (ROOT / mutant.path).read_text(encoding="utf-8")
        line, before, after = changed_lines(mutant, original)
        where = f"#{number} {mutant.path}:{line} {mutant.rule}: `{before}` -> `{after}`"
        if (mutant.path, before, after) in equivalents:
            counts["equivalent"] += 1
            continue
        if args.dry_run:
            counts["tried"] += 1
            print(f"  {where}")
            continue
        session.note(f"======== {where}")
        try:
            (ROOT / mutant.path).write_text(mutant.apply(original), encoding="utf-8")
            if not session.build(tests):
                counts["not compiled"] += 1
                continue
            verdict, detail = judge(session, mutant, original, tests)
        finally:
            (ROOT / mutant.path).write_text(original, encoding="utf-8")
        counts["tried"] += 1
        counts[verdict] += 1
        print(f"  {verdict}{' by ' + detail if detail else ''}: {where}", flush=True)
        if verdict == "survived":
            survivors.append(where)
    seconds = (time.monotonic() - began) / max(counts["tried"], 1)
    return counts, survivors, seconds


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", choices=sorted(PROGRAMS), action="append",
                        help="the program whose sources are mutated (default: every one)")
    parser.add_argument("--count", type=int, default=25, help="mutants tried per program")
    parser.add_argument("--seed", default="1", help="picks the sample")
    parser.add_argument("--only", type=lambda s: {int(n) for n in s.split(",")},
                        help="try only these sample numbers (as reported: #N)")
    parser.add_argument("--dry-run", action="store_true", help="list the sample, build and run nothing")
    args = parser.parse_args()
    for name in ("SIGTERM", "SIGHUP", "SIGINT"):
        signal.signal(getattr(signal, name), on_signal)
    session = Session(os.environ.get("BUILD_DIR", ""))
    equivalents = load_equivalents()
    rows = []
    for program in args.program or sorted(PROGRAMS):
        counts, survivors, seconds = try_mutants(program, args, session, equivalents)
        rows.append((program, counts, survivors, seconds))
    print("\n| Program | Tried | Killed | Survived | Timed out | Not compiled | Equivalent, not tried | Time per mutant |")
    print("|---|---|---|---|---|---|---|---|")
    for program, c, _, seconds in rows:
        print(f"| {program.upper()} | {c['tried']} | {c['killed']} | {c['survived']} | {c['timed out']} "
              f"| {c['not compiled']} | {c['equivalent']} | {seconds:.0f} s |")
    for program, _, survivors, _ in rows:
        for where in survivors:
            print(f"survived ({program.upper()}): {where}")


if __name__ == "__main__":
    try:
        main()
    except Interrupted as stop:
        sys.exit(f"mutants: stopped by {stop}; the source is restored")

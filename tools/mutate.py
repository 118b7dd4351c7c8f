#!/usr/bin/env python3
"""Mutation testing: change one token of the sources, rebuild, run the tests, repeat.

Usage: tools/mutate.py [--sources PATH ...] [--sample N] [--seed S] [--build-dir DIR]
                       [--test-cmd CMD] [--timeout SEC] [--results FILE]
                       [--list] [--only FILE:LINE[:COL]]

Mutants, one change each: a numeric literal raised by about 10 %; a comparison flipped
between strict and non-strict (< <-> <=, > <-> >=); an operator swapped (+ <-> -, && <-> ||,
== <-> !=); a boolean flipped (true <-> false); a returned value replaced by its type's
default (return x; -> return {};); a statement deleted (an assignment or a call
standing alone). A zero raised by 10 % is still zero, so zero literals are no mutation
sites. A mutant is killed when the test
command fails or times out, survives when it passes, and is invalid when it does not build.
Every mutated file is restored afterwards, also on Ctrl-C. The score is
killed / (killed + survived); a one-line summary is appended to tools/mutation-score.txt.
"""
import argparse
import bisect
import datetime
import json
import os
import random
import re
import shlex
import signal
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SCORE_FILE = os.path.join(ROOT, "tools", "mutation-score.txt")

TOKEN = re.compile(r"""
    (?P<space>\s+)
  | (?P<comment>//[^\n]*|/\*.*?\*/)
  | (?P<string>(?:u8|[uUL])?R"(?P<delim>[^(\s]*)\(.*?\)(?P=delim)"
              |(?:u8|[uUL])?"(?:\\.|[^"\\\n])*"
              |(?:u8|[uUL])?'(?:\\.|[^'\\\n])*')
  | (?P<number>\.?\d(?:[eEpP][+-]|[\w.]|'(?=\w))*)
  | (?P<ident>[A-Za-z_]\w*)
  | (?P<punct><=>|<<=|>>=|->\*|->|<<|>>|<=|>=|==|!=|&&|\|\||::|\+\+|--|\S)
""", re.S | re.X)
FLIP = {"<": "<=", "<=": "<", ">": ">=", ">=": ">"}
SWAP = {"+": "-", "-": "+", "&&": "||", "||": "&&", "==": "!=", "!=": "=="}
BOOLEAN = {"true": "false", "false": "true"}
# Words that open a statement that is no plain assignment or call.
NOT_A_STATEMENT = {"return", "if", "for", "while", "do", "switch", "case", "default", "break",
                   "continue", "goto", "using", "namespace", "typedef", "template", "class",
                   "struct", "enum", "union", "static_assert", "co_return", "throw", "else",
                   "public", "private", "protected", "const", "constexpr", "static", "inline",
                   "auto", "friend", "virtual", "explicit", "operator"}
# Tokens that may stand between the angle brackets of a template argument list.
TEMPLATE_INNER = {"::", ",", "*", "&", "(", ")", ".", "+", "-", "/", "%", "[", "]"}
NOT_A_TYPE = {"return", "case", "throw", "co_return", "else", "do", "new", "delete"}


def tokens(text):
    """Yields (kind, text, offset) of the code tokens; comments, literals and
    preprocessor lines are dropped."""
    pos, line_start = 0, True
    while pos < len(text):
        m = TOKEN.match(text, pos)
        kind, value = m.lastgroup, m.group()
        if kind == "punct" and value == "#" and line_start:
            end = pos
            while True:  # a directive runs to the first line end not escaped
                end = text.find("\n", end)
                if end < 0 or text[end - 1] != "\\":
                    break
                end += 1
            pos = len(text) if end < 0 else end
            continue
        if kind == "space":
            line_start = line_start or "\n" in value
        else:
            line_start = False
        if kind in ("number", "ident", "punct"):
            yield kind, value, pos
        pos = m.end()


def template_close(toks, i):
    """Returns the indices of the closing brackets when toks[i] ('<' after a name) opens
    a template argument list, else None."""
    depth, parens, closers = 1, 0, []
    for j in range(i + 1, min(len(toks), i + 80)):
        kind, value, _ = toks[j]
        if value == "<" and toks[j - 1][0] == "ident":
            depth += 1
        elif value in (">", ">>"):
            if parens:
                return None
            depth -= len(value)
            closers.append(j)
            if depth <= 0:
                return closers
        elif value == "(":
            parens += 1
        elif value == ")":
            if parens == 0:
                return None
            parens -= 1
        elif kind == "punct" and value not in TEMPLATE_INNER:
            return None
    return None


def raised(literal):
    """Returns the literal raised by about 10 %, or None where that means nothing (zero)."""
    m = re.fullmatch(r"(\d[\d']*)([uUlLzZ]*)", literal)
    if m:
        digits = m.group(1).replace("'", "")
        if len(digits) > 1 and digits[0] == "0":
            return None  # octal
        n = int(digits)
        if n == 0:
            return None
        return str(max(n + 1, round(n * 1.1))) + m.group(2)
    m = re.fullmatch(r"((?:\d[\d']*)?\.?[\d']*(?:[eE][+-]?\d+)?)([fFlL]?)", literal)
    if not m or not re.search(r"[.eE]", m.group(1)):
        return None  # hexadecimal, binary or a user-defined literal
    value = float(m.group(1).replace("'", ""))
    if value == 0:
        return None
    text = f"{value * 1.1:.10g}"
    if not re.search(r"[.e]", text):
        text += ".0"
    return text + m.group(2)


def sites_in(path, text):
    """Returns the mutation sites of one source file as dicts."""
    toks = list(tokens(text))
    skip = set()
    for i, (kind, value, _) in enumerate(toks):
        if value == "static_assert":
            depth, j = 0, i + 1
            while j < len(toks):
                depth += {"(": 1, ")": -1}.get(toks[j][1], 0)
                skip.add(j)
                if depth == 0:
                    break
                j += 1
        elif value == "<" and i and toks[i - 1][0] == "ident":
            closers = template_close(toks, i)
            if closers:
                skip.update(range(i, closers[-1] + 1))
        elif (kind == "number" and 3 <= i < len(toks) - 1 and toks[i - 1][1] == "["
              and toks[i + 1][1] == "]" and toks[i - 2][0] == "ident"
              and (toks[i - 3][1] in (">", "*", "&")
                   or toks[i - 3][0] == "ident" and toks[i - 3][1] not in NOT_A_TYPE)):
            skip.add(i)  # the size in an array declaration
    line_starts = [0] + [m.end() for m in re.finditer("\n", text)]
    found = []

    def add(offset, what, original, mutant):
        line = bisect.bisect_right(line_starts, offset)
        found.append({"file": path, "line": line, "col": offset - line_starts[line - 1] + 1,
                      "offset": offset, "kind": what, "original": original, "mutant": mutant})

    depth = 0  # braces: statements stand inside a function's body, at depth 2 or more
    for i, (kind, value, offset) in enumerate(toks):
        depth += {"{": 1, "}": -1}.get(value, 0)
        if i in skip:
            continue
        previous = toks[i - 1] if i else ("punct", "", 0)
        after_operand = previous[0] in ("ident", "number") or previous[1] in (")", "]")
        mutant, what = None, None
        if kind == "number":
            mutant, what = raised(value), "literal"
        elif value in FLIP and previous[1] != "operator":
            mutant, what = FLIP[value], "comparison"
        elif value in SWAP and after_operand and previous[1] != "operator":
            mutant, what = SWAP[value], "operator"
        elif value in BOOLEAN:
            mutant, what = BOOLEAN[value], "boolean"
        elif value == "return":
            end = statement_end(toks, i)
            if end and end > i + 1 and toks[i + 1][1] != "{":
                original = text[toks[i + 1][2]:toks[end][2]].rstrip()
                add(toks[i + 1][2], "return", original, "{}")
            continue
        if mutant is not None:
            add(offset, what, value, mutant)
        if (depth >= 2 and kind == "ident" and previous[1] in (";", "{", "}")
                and value not in NOT_A_STATEMENT and i + 1 < len(toks)
                and toks[i + 1][1] in ("=", "(", ".", "->", "+", "-", "[")):
            end = statement_end(toks, i)
            if end and all(v not in ("{", "}") for _, v, _ in toks[i:end]):
                assigns = any(v == "=" for _, v, _ in toks[i:end])
                calls = toks[end - 1][1] == ")"
                if assigns or calls:
                    add(offset, "statement", text[offset:toks[end][2] + 1], ";")
    return found


def statement_end(toks, i):
    """Returns the index of the ';' that ends the statement from toks[i] at the same
    bracket depth, or None."""
    depth = 0
    for j in range(i, min(len(toks), i + 200)):
        value = toks[j][1]
        if value in ("(", "[", "{"):
            depth += 1
        elif value in (")", "]", "}"):
            depth -= 1
            if depth < 0:
                return None
        elif value == ";" and depth == 0:
            return j
    return None


def all_sites(sources):
    sites = []
    for source in sources:
        if os.path.isfile(os.path.join(ROOT, source)):
            path = os.path.relpath(os.path.join(ROOT, source), ROOT)
            with open(os.path.join(ROOT, path), encoding="utf-8") as f:
                sites += sites_in(path, f.read())
            continue
        for folder, dirs, files in os.walk(os.path.join(ROOT, source)):
            dirs.sort()
            for name in sorted(files):
                if name.endswith((".cpp", ".h")):
                    path = os.path.relpath(os.path.join(folder, name), ROOT)
                    with open(os.path.join(ROOT, path), encoding="utf-8") as f:
                        sites += sites_in(path, f.read())
    return sites


def where(site):
    return f"{site['file']}:{site['line']}:{site['col']}"


def run(command, timeout=None):
    """Runs a shell command in the repository; returns (exit status or None on
    time-out, output). The whole process group is killed when it must end early."""
    proc = subprocess.Popen(command, shell=True, cwd=ROOT, stdout=subprocess.PIPE,
                            stderr=subprocess.STDOUT, start_new_session=True)
    try:
        out, _ = proc.communicate(timeout=timeout)
        return proc.returncode, out.decode(errors="replace")
    except subprocess.TimeoutExpired:
        return None, ""
    finally:
        if proc.poll() is None:
            os.killpg(proc.pid, signal.SIGKILL)
            proc.wait()


def git(*args):
    return subprocess.run(["git", "-C", ROOT, *args], capture_output=True,
                          text=True).stdout.strip()


def try_mutant(site, build_cmd, test_cmd, timeout):
    """Applies one mutant, builds and tests; returns its status and a note. The file is
    restored whatever happens."""
    path = os.path.join(ROOT, site["file"])
    with open(path, "rb") as f:
        original = f.read()
    text = original.decode("utf-8")
    start, end = site["offset"], site["offset"] + len(site["original"])
    assert text[start:end] == site["original"], f"{where(site)} changed since listing"
    try:
        with open(path, "wb") as f:
            f.write((text[:start] + site["mutant"] + text[end:]).encode("utf-8"))
        status, out = run(build_cmd)
        if status != 0:
            errors = [line for line in out.splitlines() if "error" in line]
            return "invalid", (errors or ["build failed"])[0][:200]
        status, _ = run(test_cmd, timeout)
        if status is None:
            return "killed", "time-out"
        return ("survived", "") if status == 0 else ("killed", "")
    finally:
        with open(path, "wb") as f:
            f.write(original)


def main():
    parser = argparse.ArgumentParser(
        description="Mutation testing: raise one literal by 10 % or flip one comparison, "
                    "rebuild, run the tests; report the mutants the tests miss.")
    parser.add_argument("--sources", nargs="+", default=["src/models", "src/engines"],
                        metavar="PATH", help="folders or files to mutate (src/models src/engines)")
    parser.add_argument("--sample", type=int, metavar="N", help="mutate N random sites only")
    parser.add_argument("--seed", type=int, default=1, help="seed of --sample (1)")
    parser.add_argument("--build-dir", default="build/mutation",
                        help="build folder, configured when missing (build/mutation)")
    parser.add_argument("--test-cmd", metavar="CMD", help="shell command run in the repository; "
                        "exit 0 means the tests pass (ctest of the build folder without qt)")
    parser.add_argument("--timeout", type=float, metavar="SEC",
                        help="test time-out, a kill (3 times the unmutated run, at least 60)")
    parser.add_argument("--results", metavar="FILE", help="JSON results (BUILD/results.json)")
    parser.add_argument("--list", action="store_true", help="print the sites and exit")
    parser.add_argument("--only", metavar="FILE:LINE[:COL]", help="mutate this site only")
    opts = parser.parse_args()

    sites = all_sites(opts.sources)
    total = len(sites)
    if opts.only:
        parts = opts.only.split(":")
        if len(parts) not in (2, 3) or not all(p.isdigit() for p in parts[1:]):
            parser.error("--only takes FILE:LINE or FILE:LINE:COL")
        file = os.path.relpath(os.path.abspath(parts[0]), ROOT)
        sites = [s for s in sites if s["file"] == file and s["line"] == int(parts[1])
                 and (len(parts) == 2 or s["col"] == int(parts[2]))]
        if not sites:
            parser.error(f"no mutation site at {opts.only}")
    elif opts.sample is not None:
        sites = sorted(random.Random(opts.seed).sample(sites, min(opts.sample, total)),
                       key=lambda s: (s["file"], s["offset"]))
    if opts.list:
        for s in sites:
            print(f"{where(s)}: {s['kind']} {s['original']} -> {s['mutant']}")
        print(f"{len(sites)} of {total} sites")
        return 0

    build = os.path.abspath(os.path.join(ROOT, opts.build_dir))
    results_path = opts.results or os.path.join(build, "results.json")
    test_cmd = opts.test_cmd or (f"ctest --test-dir {shlex.quote(build)} -j2 "
                                 "--stop-on-failure --timeout 60 -E qt")
    build_cmd = f"cmake --build {shlex.quote(build)} --parallel {os.cpu_count() or 1}"
    for sig in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
        if signal.getsignal(sig) != signal.SIG_IGN:  # keep what nohup or a shell ignores
            signal.signal(sig, signal.default_int_handler)
    files = sorted({s["file"] for s in sites})
    before = git("status", "--porcelain", "--", *files)
    if before:
        print("note: the mutated files have uncommitted changes; they are tested as they are")

    if not os.path.exists(os.path.join(build, "CMakeCache.txt")):
        print(f"configuring {build}", flush=True)
        status, out = run(f"scripts/build.sh {shlex.quote(build)} -DTOV_BUILD_GUI=OFF")
        if status != 0:
            sys.exit(f"{out}\nconfiguring {build} failed")
    status, out = run(build_cmd)
    if status != 0:
        sys.exit(f"{out}\nthe unmutated tree does not build")
    started = time.monotonic()
    status, out = run(test_cmd, opts.timeout)
    if status != 0:
        sys.exit(f"{out}\nthe tests fail or time out on the unmutated tree")
    timeout = opts.timeout or max(60.0, 3 * (time.monotonic() - started))
    print(f"{len(sites)} mutants of {total} sites; unmutated tests pass; "
          f"time-out {timeout:.0f} s", flush=True)

    results = []
    try:
        for n, site in enumerate(sites, 1):
            started = time.monotonic()
            status, note = try_mutant(site, build_cmd, test_cmd, timeout)
            seconds = round(time.monotonic() - started, 1)
            results.append(dict(site, status=status, note=note, seconds=seconds))
            print(f"[{n}/{len(sites)}] {where(site)}: {site['original']} -> {site['mutant']}"
                  f"  {status} ({seconds} s{', ' + note if note else ''})", flush=True)
    except KeyboardInterrupt:
        print("interrupted; the sources are restored")
    finally:
        after = git("status", "--porcelain", "--", *files)
        if after != before:
            print(f"error: git status of the mutated files changed:\n{after}", file=sys.stderr)
            sys.exit(3)

    count = {k: sum(r["status"] == k for r in results) for k in ("killed", "survived", "invalid")}
    tried = count["killed"] + count["survived"]
    score = 100.0 * count["killed"] / tried if tried else 0.0
    commit = git("rev-parse", "--short", "HEAD") + ("+dirty" if before else "")
    date = datetime.datetime.now().strftime("%Y-%m-%d %H:%M")
    summary = (f"score {score:.1f} % ({count['killed']} killed, {count['survived']} survived, "
               f"{count['invalid']} invalid) of {len(results)} mutants from {total} sites "
               f"in {' '.join(opts.sources)}")
    survivors = [r for r in results if r["status"] == "survived"]
    if survivors:
        print("survivors:")
        for r in survivors:
            print(f"{r['file']}:{r['line']}: {r['original']} -> {r['mutant']}")
    print(summary)
    os.makedirs(os.path.dirname(os.path.abspath(results_path)), exist_ok=True)
    with open(results_path, "w", encoding="utf-8") as f:
        json.dump({"date": date, "commit": commit, "sources": opts.sources, "sites": total,
                   "score": round(score, 1), **count, "results": results}, f, indent=1)
    if len(results) == len(sites) and not opts.only:
        with open(SCORE_FILE, "a", encoding="utf-8") as f:
            f.write(f"{date} {commit} {summary}\n")
    return 0 if len(results) == len(sites) else 130


if __name__ == "__main__":
    try:
        sys.exit(main())
    except KeyboardInterrupt:
        sys.exit("interrupted")

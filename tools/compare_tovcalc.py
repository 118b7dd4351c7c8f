#!/usr/bin/env python3
"""Run two builds of tovcalc over the same random designs and report every difference.

Usage: tools/compare_tovcalc.py OLD NEW [--count N] [--seed S] [--jobs J]
                                [--coredat PATH] [--show K] [--extra-args "..."] [--text]

Each design is one command line with random material, stack, options, core and inputs
(a few with refused inputs, some with --save). Both programs run it with the same argv[0],
the same core database and --json (the printed report with --text), each in its own empty
folder; exit status, standard output, standard error and the saved file must match byte
for byte.
Exit status: 0 all equal, 1 some differ, 2 usage error.
"""
import argparse
import collections
import concurrent.futures
import difflib
import json
import math
import os
import random
import shlex
import subprocess
import sys
import tempfile

MATERIALS = ["mpp", "hf", "velmax", "velmax-e"]
EDGE_VALUES = ["0", "-1", "-0.001", "1e30", "3.41e38", "3.5e38", "1e-7", "1e-45", "abc",
               "", "nan", "inf", "1,5", "0x10", "1e", " 7", "12abc", "+3", ".5", "5."]
RUN_TIMEOUT = 60


def number(rng, lo, hi):
    """Draws log-uniformly from [lo, hi] and writes it with 1 to 8 significant digits."""
    value = math.exp(rng.uniform(math.log(lo), math.log(hi)))
    style = rng.random()
    if style < 0.7:
        return f"{value:.{rng.randint(1, 8)}g}"
    if style < 0.9:
        return f"{value:.{rng.randint(0, 4)}f}"
    return f"{value:.{rng.randint(0, 3)}e}"


def design(rng, rows):
    """Returns (material, argument list) of one random design."""
    material = rng.choice(MATERIALS)
    idc = math.exp(rng.uniform(math.log(0.05), math.log(200)))
    lfl = math.exp(rng.uniform(math.log(1), math.log(20000)))
    inputs = {
        "--idc": f"{idc:.{rng.randint(1, 7)}g}",
        "--ripple": "0" if rng.random() < 0.1 else number(rng, idc * 1e-3, 2 * idc),
        "--freq": number(rng, 1, 1000),
        "--density": number(rng, 100, 1500),
        "--lfl": f"{lfl:.{rng.randint(1, 7)}g}",
        "--lnl": number(rng, 1.05 * lfl, 5 * lfl),
        "--trise": number(rng, 5, 120),
    }
    if rng.random() < 0.05:
        inputs[rng.choice(list(inputs))] = rng.choice(EDGE_VALUES)
    args = ["--material", material, "--stack", str(rng.randint(1, 5))]
    for pair in (["--single-layer", "--no-single-layer"], ["--lfl-max", "--no-lfl-max"]):
        choice = rng.randrange(3)
        if choice < 2:
            args.append(pair[choice])
    if rng.random() < 0.3:
        args.append("--metric")
    if rng.random() < 0.3:
        args += ["--ambient", f"{rng.uniform(-50, 150):.{rng.randint(0, 3)}f}"]
    if rng.random() < 1 / 3:
        row, text = rng.choice(rows[material])
        args += ["--core", text.split(" ")[0] if rng.random() < 0.1 else str(row)]
    for name, value in inputs.items():
        args += [f"{name}={value}"] if value.startswith("-") else [name, value]
    roll = rng.random()
    if roll < 0.01:
        args += ["--save", "missing/design.tov"]
    elif roll < 0.16:
        args += ["--save", "design.tov"]
    return material, args


def core_rows(program, coredat):
    """Returns {material: [(row, text), ...]} as the program lists them."""
    rows = {}
    for material in MATERIALS:
        out = subprocess.run([program, "--material", material, "--list", "--json",
                              "--coredat", coredat], capture_output=True, check=True)
        rows[material] = [(c["row"], c["text"]) for c in json.loads(out.stdout)["cores"]]
    return rows


def run(program, args, folder):
    """Runs one build in an empty folder; returns (status, stdout, stderr, saved bytes)."""
    os.makedirs(folder)
    try:
        done = subprocess.run(["tovcalc"] + args, executable=program, cwd=folder,
                              capture_output=True, timeout=RUN_TIMEOUT)
        status, out, err = done.returncode, done.stdout, done.stderr
    except subprocess.TimeoutExpired as e:
        status, out, err = "timeout", e.stdout or b"", e.stderr or b""
    saved = None
    path = os.path.join(folder, "design.tov")
    if os.path.exists(path):
        with open(path, "rb") as f:
            saved = f.read()
    return status, out, err, saved


def engine(out):
    try:
        document = json.loads(out)
        if document.get("schema_version") == 2:
            mode = (document["design"] or {}).get("design_mode", "no design")
            return mode.replace("_", " ")
        return ["automatic", "selected core"][document["design_mode"]]
    except (ValueError, KeyError, IndexError, TypeError, AttributeError):
        return "no design"


# Output fields: the name schema version 2 gives them, and the one before.
SHOWN_FIELDS = {
    "part_number": "txtPN", "permeability": "txtPerm", "al": "txtAL", "ae": "txtAe",
    "le": "txtle", "core_id": "txtID", "core_od": "txtOD", "core_height": "txtHt",
    "mount_part_number": "txtBobbin", "turns": "txtTurns", "wire": "txtWire",
    "winding_factor": "txtK", "dcr": "txtDCR", "l_full_load": "txtLOutfl",
    "l_no_load": "txtLOutnl", "mu_e_full_dc": "txtRollOff", "wound_dimensions": "txtDim",
    "core_loss": "txtPfe", "copper_loss": "txtPcu", "total_loss": "txtPtot",
    "temp_rise": "txtTrise"}
COPPER_MELTING_C = 1085
HOT_FIGURES = ["copper_loss_mw", "copper_temp_c", "dcr_hot_ohm", "temp_rise_c", "total_loss_mw"]
LIVE_CAPTIONS = {"core_id": "lblID", "core_od": "lblOD", "core_height": "lblHt",
                 "mount_part_number": "lblBobbin", "wound_dimensions": "lblDim",
                 "core_loss": "lblPfe", "copper_loss": "lblPcu", "total_loss": "lblPtot"}


def window_view(document):
    """What the window shows of a --json object, in either schema: the output
    texts, the captions that change, the messages, the options, the
    temperature colour, the core of the design and the worst case's figures."""
    if document.get("schema_version") == 2:
        worst = dict(document["worst_case"] or {}) or None
        if worst:
            worst.pop("thermal_runaway", None)
        options = dict(document["options"])
        return {"fields": {old: document["shown"][new] for new, old in SHOWN_FIELDS.items()},
                "captions": {old: document["captions"][new] for new, old in LIVE_CAPTIONS.items()},
                "messages": document["messages"], "options": options,
                "trise_colour": document["trise_colour"], "worst_case": worst}
    options = dict(document["options"], stack=document["stack"])
    worst = document["worst_case"]
    if worst and worst["copper_temp_c"] is not None and worst["copper_temp_c"] > COPPER_MELTING_C:
        # Schema 2 calls a winding that would settle past copper's melting point runaway.
        worst = dict(worst, **{k: None for k in HOT_FIGURES})
    return {"fields": {old: document["fields"][old] for old in SHOWN_FIELDS.values()},
            "captions": document["captions"], "messages": document["messages"],
            "options": options, "trise_colour": document["trise_colour"],
            "worst_case": worst}


def comparable(result, across_schemas):
    """A run's result as compared: with --across-schemas, the JSON object as
    the window shows it and standard error without the requirement notes."""
    status, out, err, saved = result
    if not across_schemas:
        return result
    err = b"".join(line for line in err.splitlines(keepends=True) if not line.startswith(b"Note: "))
    try:
        out = json.dumps(window_view(json.loads(out)), indent=1, sort_keys=True).encode()
    except (ValueError, KeyError, TypeError):
        pass
    return status, out, err, saved


def diff(name, old, new):
    if old == new:
        return []
    lines = difflib.unified_diff(old.decode(errors="replace").splitlines(),
                                 new.decode(errors="replace").splitlines(),
                                 f"old {name}", f"new {name}", n=1, lineterm="")
    return list(lines)


def main():
    parser = argparse.ArgumentParser(
        description="Compare two tovcalc builds over random designs (exit 0 all equal, "
                    "1 some differ).")
    parser.add_argument("old", metavar="OLD", help="the reference tovcalc executable")
    parser.add_argument("new", metavar="NEW", help="the tovcalc executable under test")
    parser.add_argument("--count", type=int, default=3000, metavar="N", help="designs to run (3000)")
    parser.add_argument("--seed", type=int, default=1, metavar="S", help="random seed (1)")
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 1, metavar="J",
                        help="parallel runs (CPU count)")
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser.add_argument("--coredat", default=os.path.join(root, "data", "coredat"),
                        metavar="PATH", help="core database passed to both (data/coredat of this repository)")
    parser.add_argument("--show", type=int, default=5, metavar="K", help="differing cases to print (5)")
    parser.add_argument("--extra-args", default="", metavar="ARGS",
                        help="arguments appended to every command; write --extra-args=--opt for "
                             "a single option")
    parser.add_argument("--across-schemas", action="store_true",
                        help="OLD prints JSON of an earlier schema: compare what the window "
                             "shows (output texts, captions, messages, options, worst case) "
                             "and standard error without the requirement notes")
    parser.add_argument("--text", action="store_true",
                        help="compare the printed report and the messages on standard error "
                             "instead of the JSON object")
    opts = parser.parse_args()
    old, new = os.path.abspath(opts.old), os.path.abspath(opts.new)
    coredat = os.path.abspath(opts.coredat)
    for path in (old, new, coredat):
        if not os.path.isfile(path):
            parser.error(f"no such file: {path}")

    rng = random.Random(opts.seed)
    try:
        rows = core_rows(old, coredat)
    except (OSError, subprocess.CalledProcessError, ValueError, KeyError) as e:
        print(f"cannot read the core lists from {old}: {e}", file=sys.stderr)
        return 2
    extra = shlex.split(opts.extra_args)
    cases = []
    for _ in range(opts.count):
        material, args = design(rng, rows)
        output = [] if opts.text else ["--json"]
        cases.append((material, args + ["--coredat", coredat] + output + extra))

    with tempfile.TemporaryDirectory(prefix="compare_tovcalc.") as tmp:
        def both(index):
            args = cases[index][1]
            return (run(old, args, os.path.join(tmp, str(index), "old")),
                    run(new, args, os.path.join(tmp, str(index), "new")))

        with concurrent.futures.ThreadPoolExecutor(max(1, opts.jobs)) as pool:
            results = list(pool.map(both, range(len(cases))))

    tally = {"material": collections.Counter(), "engine": collections.Counter(),
             "exit status": collections.Counter()}
    differing = []
    for (material, args), (a, b) in zip(cases, results):
        tally["material"][material] += 1
        tally["engine"][engine(a[1])] += 1
        tally["exit status"][str(a[0]) if a[0] == b[0] else f"{a[0]} -> {b[0]}"] += 1
        a, b = comparable(a, opts.across_schemas), comparable(b, opts.across_schemas)
        if a != b:
            differing.append((args, a, b))

    print(f"designs run: {len(cases)} (seed {opts.seed})")
    for name, counter in tally.items():
        print(f"  {name}: " + ", ".join(f"{k} {v}" for k, v in sorted(counter.items())))
    print(f"differing: {len(differing)}")
    for args, a, b in differing[: opts.show]:
        print("\n$ tovcalc " + shlex.join(args))
        if a[0] != b[0]:
            print(f"exit status: {a[0]} -> {b[0]}")
        lines = diff("stdout", a[1], b[1]) + diff("stderr", a[2], b[2])
        if a[3] != b[3]:
            lines += diff("design.tov", a[3] or b"<none>", b[3] or b"<none>")
        print("\n".join(lines))
    return 1 if differing else 0


if __name__ == "__main__":
    sys.exit(main())

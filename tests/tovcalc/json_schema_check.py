#!/usr/bin/env python3
"""Validates every kind of output tovcalc prints as JSON against the schema it
ships, over random designs of every material, stack and option, and holds the
requirement checks to the design's own numbers.

Usage: json_schema_check.py TOVCALC SCHEMA [COUNT]"""
import json
import random
import subprocess
import sys

import jsonschema

tovcalc, schema_path = sys.argv[1], sys.argv[2]
count = int(sys.argv[3]) if len(sys.argv) > 3 else 150
schema = json.load(open(schema_path, encoding="utf-8"))
jsonschema.Draft202012Validator.check_schema(schema)
validator = jsonschema.Draft202012Validator(schema)
failures = []


def run(args, stdin=None):
    return subprocess.run([tovcalc, *args], input=stdin, capture_output=True, text=True, timeout=60)


def validate(document, what):
    error = jsonschema.exceptions.best_match(validator.iter_errors(document))
    if error is not None:
        failures.append(f"{what}: {error.message[:200]} at {list(error.absolute_path)}")


def check_agrees(document, what):
    """The checks say what the numbers say."""
    design, request = document["design"], document["request"]
    if design is None:
        if document["checks"]:
            failures.append(f"{what}: checks without a design")
        return
    checks = {c["check"]: c for c in document["checks"]}
    full = checks["full_load_inductance"]
    if full["pass"] != (design["l_full_load_uh"] >= request["lfl"]):
        failures.append(f"{what}: full-load check {full} against {design['l_full_load_uh']}")
    rise = checks["temperature_rise"]
    if rise["pass"] != (design["temp_rise_c"] <= request["trise"]):
        failures.append(f"{what}: rise check {rise} against {design['temp_rise_c']}")
    ceiling = checks["no_load_ceiling"]
    above = design["l_no_load_uh"] > request["lnl"]
    if ceiling["reason"].startswith("off: Full Load L Maximum") != (
        not request["lfl-max"] and design["design_mode"] == "automatic"
        and not ceiling["reason"].startswith("off: cleared")):
        failures.append(f"{what}: ceiling check {ceiling} for lfl-max {request['lfl-max']}")
    if ceiling["pass"] == (above and not ceiling["reason"].startswith("off: Full Load L Maximum")):
        failures.append(f"{what}: ceiling check {ceiling} against {design['l_no_load_uh']}")
    if design["passes"] != all(c["pass"] for c in document["checks"]):
        failures.append(f"{what}: passes disagrees with the checks")
    if (design["gauge"] > 42) == checks["winding_fits_window"]["pass"]:
        failures.append(f"{what}: winding check against gauge {design['gauge']}")


rng = random.Random(20)
materials = ["mpp", "hf", "velmax", "velmax-e"]
requests = []
for i in range(count):
    lfl = 10 ** rng.uniform(0.5, 3.5)
    args = ["--material", rng.choice(materials), "--idc", f"{10 ** rng.uniform(-1, 1.6):.4g}",
            "--ripple", f"{rng.uniform(0, 4):.3g}", "--freq", f"{10 ** rng.uniform(1, 2.7):.4g}",
            "--lfl", f"{lfl:.4g}", "--lnl", f"{lfl * rng.uniform(1.05, 3):.4g}",
            "--trise", f"{rng.uniform(15, 80):.3g}", "--stack", str(rng.randint(1, 5)),
            "--ambient", f"{rng.uniform(-20, 60):.3g}", "--al-tolerance", str(rng.randint(-20, 0))]
    if rng.random() < 0.3:
        args += ["--core", str(rng.choice([10, 120, 260, 300, 400, 450, 500, 530]))]
        args[1] = "mpp" if int(args[-1]) < 251 else "hf" if int(args[-1]) < 394 else (
            "velmax" if int(args[-1]) < 521 else "velmax-e")
    if rng.random() < 0.3:
        args.append(rng.choice(["--no-lfl-max", "--single-layer", "--metric"]))
    requests.append(args)

for args in requests:
    r = run(args + ["--json"] + (["--report"] if rng.random() < 0.2 else []))
    if r.returncode in (0, 1):
        document = json.loads(r.stdout)
        validate(document, " ".join(args))
        check_agrees(document, " ".join(args))

batch = "\n".join(
    json.dumps({a[2:]: b for a, b in zip(args[::2], args[1::2]) if a.startswith("--")})
    for args in requests[:40]) + "\n{\"idc\": [1]}\nnot json\n{\"idc\": 0}\n"
for extra in ([], ["--report"], ["--candidates", "--stacks", "1-2"]):
    r = run(["--batch", "-"] + extra, batch)
    for number, line in enumerate(r.stdout.splitlines(), 1):
        validate(json.loads(line), f"batch {extra} line {number}")

r = run(["--sweep", "idc=1,30", "--sweep", "material=mpp,velmax-e"])
for number, line in enumerate(r.stdout.splitlines(), 1):
    validate(json.loads(line), f"sweep line {number}")
validate(json.loads(run(["--candidates", "--json", "--materials", "all", "--stacks", "1-3"]).stdout),
         "candidates")
validate(json.loads(run(["--list", "--json", "--material", "hf"]).stdout), "core list")
converter = run(["--converter", "buck", "--vin", "36:60", "--vout", "12", "--iout", "10", "--fsw",
                 "100", "--ripple-percent", "30", "--json", "--simulate"])
validate(json.loads(converter.stdout), "converter with simulation")
too_large = run(["--idc", "400", "--lfl", "50000", "--lnl", "90000", "--json"])
validate(json.loads(too_large.stdout), "Too Large")

for failure in failures[:20]:
    print(failure)
print(f"{len(failures)} failed, {count} random designs and every output kind validated")
sys.exit(1 if failures else 0)

#!/usr/bin/env python3
"""Validates every kind of output tovcalc prints as JSON against the schema it
ships, over random designs of every material, stack and option.

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
        core, args[1] = rng.choice([(10, "mpp"), (120, "mpp"), (260, "hf"), (300, "hf"),
                                    (400, "velmax"), (450, "velmax"), (500, "velmax"),
                                    (530, "velmax-e")])
        args += ["--core", str(core)]
    if rng.random() < 0.3:
        args.append(rng.choice(["--no-lfl-max", "--single-layer", "--metric"]))
    requests.append(args)

for args in requests:
    r = run(args + ["--json"] + (["--report"] if rng.random() < 0.2 else []))
    if r.returncode in (0, 1):
        document = json.loads(r.stdout)
        validate(document, " ".join(args))

batch = "\n".join(
    json.dumps({a[2:]: b for a, b in zip(args[::2], args[1::2]) if a.startswith("--")})
    for args in requests[:40]) + "\n{\"idc\": [1]}\nnot json\n{\"idc\": 0}\n"
buck = ["--converter", "buck", "--vin", "36:60", "--vout", "12", "--iout", "10", "--fsw", "100",
        "--ripple-percent", "30", "--json", "--simulate"]
for args, stdin in [(["--batch", "-"], batch), (["--batch", "-", "--report"], batch),
                    (["--batch", "-", "--candidates", "--stacks", "1-2"], batch),
                    (["--sweep", "idc=1,30", "--sweep", "material=mpp,velmax-e"], None),
                    (["--candidates", "--json", "--materials", "all", "--stacks", "1-3"], None),
                    (["--list", "--json", "--material", "hf"], None), (buck, None),
                    (["--idc", "400", "--lfl", "50000", "--lnl", "90000", "--json"], None)]:
    out = run(args, stdin).stdout
    try:
        documents = [json.loads(out)]
    except json.JSONDecodeError:  # one document a line
        documents = [json.loads(line) for line in out.splitlines()]
    for number, document in enumerate(documents, 1):
        validate(document, f"{' '.join(args)}: document {number}")

for failure in failures[:20]:
    print(failure)
print(f"{len(failures)} failed, {count} random designs and every output kind validated")
sys.exit(1 if failures else 0)

#!/usr/bin/env python3
"""Validates MAS documents against the class A conformance schema.

Usage: mas_schema_check.py SCHEMA_DIR FILE...  Exit 0 when every file is
valid, 1 when one is not (its first errors on standard output), 77 when the
JSON Schema validator is not installed."""
import json
import pathlib
import sys

try:
    import jsonschema
    from referencing import Registry, Resource
except ImportError:
    sys.exit(77)

PREFIX = "https://psma.com/mas/"
root = pathlib.Path(sys.argv[1])


def retrieve(uri):
    if not uri.startswith(PREFIX):
        raise LookupError(uri)
    return Resource.from_contents(json.loads((root / uri[len(PREFIX):]).read_text()))


schema = json.loads((root / "conformance" / "class-A.json").read_text())
validator = jsonschema.Draft202012Validator(schema, registry=Registry(retrieve=retrieve))
invalid = 0
for name in sys.argv[2:]:
    errors = list(validator.iter_errors(json.loads(pathlib.Path(name).read_text())))
    for error in errors[:3]:
        path = "/".join(str(p) for p in error.absolute_path)
        print(f"{name}: /{path}: {error.message[:400]}")
    invalid += bool(errors)
sys.exit(1 if invalid else 0)

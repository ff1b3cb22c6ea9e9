#!/usr/bin/python3
"""Checks repair reports against the documented JSON schema.

    check_report_schema.py SCHEMA REPORT...

Exit status: 0 every report is valid; 1 some report is not (one line per
fault on standard output); 77 python3-jsonschema is not installed.
"""
import json
import sys

try:
    import jsonschema
except ImportError:
    sys.exit(77)

schema = json.load(open(sys.argv[1], encoding="utf-8"))
jsonschema.Draft202012Validator.check_schema(schema)
validator = jsonschema.Draft202012Validator(schema)
faults = 0
for path in sys.argv[2:]:
    with open(path, encoding="utf-8") as f:
        report = json.load(f)
    for error in validator.iter_errors(report):
        faults += 1
        where = "/".join(str(part) for part in error.absolute_path)
        print("%s: %s: %s" % (path, where or "(top)", error.message))
sys.exit(1 if faults else 0)

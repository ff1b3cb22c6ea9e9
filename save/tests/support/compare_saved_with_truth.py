#!/usr/bin/env python3
"""Reads a saved workbook back with xlrd and checks it against the reference
dump of the workbook it was recovered from.

    compare_saved_with_truth.py SAVED.xls TRUTH.tsv [SOURCE.xls]
    compare_saved_with_truth.py --batch LIST

LIST holds one file per line, tab-separated: name, saved .xls, truth .tsv
and, optionally, the source .xls. One interpreter checks them all.

Per file, one line of JSON (keys below), then up to --shown differences,
each on a line of its own starting with two spaces:

    file              the name
    opened            xlrd opened the saved file (else "error" says why)
    cells             lines of the truth dump
    equal             of those, the cells found with the same value class
                      and value (numbers compared as doubles, exactly;
                      NaN equals NaN)
    types_equal       of those, also the same number/date class
    sheets            sheet names of the truth dump, sheets_found of them in
                      the saved file; source_sheets and source_sheets_found
                      do the same for every worksheet of the source
    merges            merged ranges of the source, merges_found of them with
                      the same bounds on the same sheet of the saved file
    formats           number and date cells of the truth dump whose source
                      number format is not "General", formats_equal of them
                      with the same format text in the saved file ("General"
                      in any letter case is one format, and so is a built-in
                      format index under any spelling). Text cells are left
                      out: the save gives every text cell the text format "@"
    empty_texts_lost  text cells holding an empty string that the saved file
                      leaves empty; empty_results_lost the same for formula
                      cells whose cached result is an empty string;
                      nan_numbers_lost number cells holding a NaN (no value
                      a cell can hold) that the saved file leaves empty
    formulas          formula cells of the truth dump, formulas_kept of them
                      a FORMULA record in the saved file
    extra             cells of the saved file that hold a value (a text, an
                      empty one too, a number, a Boolean, an error) where the
                      truth dump has none: values the save invented
    datemode          the saved date system equals the source's (1/0)

Without SOURCE only cells, sheets and formulas are counted.

The dump's conventions: numbers and dates are repr() of the stored float;
text escapes backslash, tab, LF and CR; Booleans are TRUE/FALSE; errors are
their names or #ERR<code>; a formula with an empty-text result has an empty
value (xlrd reads it as empty text). A cell is a formula cell when the sheet
has a FORMULA record for it that no later value record overwrites.
"""
import io
import json
import math
import struct
import sys

import xlrd
from xlrd import compdoc

SHOWN = 5

ERROR_NAMES = {
    0x00: "#NULL!", 0x07: "#DIV/0!", 0x0F: "#VALUE!", 0x17: "#REF!",
    0x1D: "#NAME?", 0x24: "#NUM!", 0x2A: "#N/A",
}

# Value classes of the dump's type words: what a saved cell must give back.
CLASS_OF_TYPE = {
    "number": "n", "date": "n", "formula-number": "n", "formula-date": "n",
    "text": "t", "formula-text": "t", "formula-empty": "t",
    "bool": "b", "formula-bool": "b", "error": "e", "formula-error": "e",
}

CLASS_OF_CTYPE = {
    xlrd.XL_CELL_NUMBER: "n", xlrd.XL_CELL_DATE: "n", xlrd.XL_CELL_TEXT: "t",
    xlrd.XL_CELL_BOOLEAN: "b", xlrd.XL_CELL_ERROR: "e",
}

# Record types of a worksheet substream that place a cell.
FORMULA_TYPES = (0x0006, 0x0206, 0x0406)
VALUE_TYPES = (0x0203, 0x027E, 0x00FD, 0x0204, 0x00D6, 0x0205, 0x00BD)
BOF_TYPES = (0x0809, 0x0409, 0x0209, 0x0009)
BOUNDSHEET = 0x0085
# Format indices below this are built in: every reader knows them by index.
BUILT_IN_COUNT = 50
EOF = 0x000A


def unescape(text):
    out = []
    i = 0
    while i < len(text):
        c = text[i]
        if c == "\\" and i + 1 < len(text):
            out.append({"\\": "\\", "t": "\t", "n": "\n", "r": "\r"}.get(text[i + 1],
                                                                     "\\" + text[i + 1]))
            i += 2
            continue
        out.append(c)
        i += 1
    return "".join(out)


def read_truth(path):
    """(sheet name, row, col) -> (type, value), in dump order."""
    cells = {}
    with open(path, "rb") as f:
        data = f.read().decode("utf-8")
    for line in data.split("\n"):
        fields = line.split("\t")
        if len(fields) != 6:
            continue
        cells[(unescape(fields[1]), int(fields[2]), int(fields[3]))] = (fields[4],
                                                                         unescape(fields[5]))
    return cells


def error_name(code):
    return ERROR_NAMES.get(code, "#ERR%d" % code)


def same_value(kind, expected, ctype, value):
    """Whether a saved cell gives the dump's value; kind is its value class."""
    if CLASS_OF_CTYPE.get(ctype) != kind:
        return False
    if kind == "n":
        # A NaN bit pattern stored as a number reads back as NaN, which equals nothing.
        a, b = float(expected), float(value)
        return a == b or (math.isnan(a) and math.isnan(b))
    if kind == "t":
        return expected == value
    if kind == "b":
        return expected == ("TRUE" if value else "FALSE")
    return expected == error_name(value)


def shown(ctype, value):
    if ctype in (xlrd.XL_CELL_NUMBER, xlrd.XL_CELL_DATE):
        return repr(float(value))
    if ctype == xlrd.XL_CELL_BOOLEAN:
        return "TRUE" if value else "FALSE"
    if ctype == xlrd.XL_CELL_ERROR:
        return error_name(value)
    return json.dumps(value, ensure_ascii=False)[:60]


def workbook_stream(path):
    with open(path, "rb") as f:
        mem = f.read()
    doc = compdoc.CompDoc(mem, logfile=io.StringIO())
    for name in ("Workbook", "WORKBOOK", "workbook", "Book"):
        try:
            stream = doc.get_named_stream(name)
        except Exception:
            stream = None
        if stream:
            return stream
    return b""


def formula_cells(path):
    """(sheet name, row, col) of the FORMULA records no later value record
    overwrites, found by walking the workbook stream's records."""
    stream = workbook_stream(path)
    names = {}
    at = 0
    # Globals first: BOUNDSHEET gives each sheet's BOF offset and name.
    while at + 4 <= len(stream):
        rtype, size = struct.unpack_from("<HH", stream, at)
        body = stream[at + 4:at + 4 + size]
        at += 4 + size
        if rtype == BOUNDSHEET and len(body) >= 8:
            offset = struct.unpack_from("<I", body, 0)[0]
            count, flags = body[6], body[7]
            chars = body[8:8 + count * (2 if flags & 1 else 1)]
            names[offset] = chars.decode("utf-16-le" if flags & 1 else "latin-1")
        if rtype == EOF:
            break
    found = set()
    for offset, name in names.items():
        at = offset
        depth = 0
        while at + 4 <= len(stream):
            rtype, size = struct.unpack_from("<HH", stream, at)
            body = stream[at + 4:at + 4 + size]
            at += 4 + size
            if rtype in BOF_TYPES:
                depth += 1
            elif rtype == EOF:
                depth -= 1
                if depth <= 0:
                    break
            elif depth == 1 and len(body) >= 4:
                row, col = struct.unpack_from("<HH", body, 0)
                if rtype in FORMULA_TYPES:
                    found.add((name, row, col))
                elif rtype in VALUE_TYPES:
                    if rtype == 0x00BD:  # MULRK: first column, then one RK per column
                        for c in range(col, col + max(0, (len(body) - 6) // 6)):
                            found.discard((name, row, c))
                    else:
                        found.discard((name, row, col))
    return found


def format_key(book, xf_index):
    if xf_index is None or xf_index < 0 or xf_index >= len(book.xf_list):
        return None
    return book.xf_list[xf_index].format_key


def number_format(book, key):
    fmt = book.format_map.get(key) if key is not None else None
    return fmt.format_str if fmt else None


def compare_format(result, differences, shown_count, key, source, source_sheet, saved, sheet,
                   cell):
    """Counts a number cell's format: the source's, when not "General", must
    be the saved cell's."""
    sheet_name, row, col = key
    if source_sheet is None or row >= source_sheet.nrows or col >= source_sheet.ncols:
        return
    want_key = format_key(source, source_sheet.cell_xf_index(row, col))
    want = number_format(source, want_key)
    if want is None or want.lower() == "general":
        return
    result["formats"] += 1
    got_key = format_key(saved, sheet.cell_xf_index(row, col)) if cell is not None else None
    got = number_format(saved, got_key)
    # A built-in format is the same format under any spelling: the text a
    # FORMAT record gives index 14 depends on the writer's locale.
    if got == want or (got_key == want_key and want_key < BUILT_IN_COUNT):
        result["formats_equal"] += 1
    elif len(differences) < shown_count:
        differences.append("%s!R%dC%d: format %s, found %s" % (
            sheet_name, row, col, json.dumps(want, ensure_ascii=False),
            json.dumps(got, ensure_ascii=False)))


def open_book(path):
    return xlrd.open_workbook(path, formatting_info=True, logfile=io.StringIO())


def worksheets(book):
    return {sheet.name: sheet for sheet in book.sheets()}


def compare(name, saved_path, truth_path, source_path, shown_count):
    result = {"file": name, "opened": 0, "cells": 0, "equal": 0, "types_equal": 0,
              "empty_texts_lost": 0, "empty_results_lost": 0, "nan_numbers_lost": 0,
              "sheets": 0, "sheets_found": 0, "formulas": 0,
              "formulas_kept": 0, "extra": 0}
    differences = []
    truth = read_truth(truth_path)
    result["cells"] = len(truth)
    truth_sheets = sorted({key[0] for key in truth})
    result["sheets"] = len(truth_sheets)
    result["formulas"] = sum(1 for t, _ in truth.values() if t.startswith("formula-"))
    source = None
    if source_path:
        result.update({"source_sheets": 0, "source_sheets_found": 0, "merges": 0,
                       "merges_found": 0, "formats": 0, "formats_equal": 0, "datemode": 0})
        source = open_book(source_path)
    try:
        saved = open_book(saved_path)
    except Exception as error:
        result["error"] = str(error)[:200]
        return result, differences
    result["opened"] = 1
    saved_sheets = worksheets(saved)
    result["sheets_found"] = sum(1 for s in truth_sheets if s in saved_sheets)
    for s in truth_sheets:
        if s not in saved_sheets:
            differences.append("sheet %s: missing" % json.dumps(s, ensure_ascii=False))
    try:
        formulas = formula_cells(saved_path)
    except Exception:
        formulas = set()
    source_sheets = worksheets(source) if source else {}
    for key, (kind_word, expected) in truth.items():
        sheet_name, row, col = key
        if kind_word.startswith("formula-") and key in formulas:
            result["formulas_kept"] += 1
        sheet = saved_sheets.get(sheet_name)
        cell = None
        if sheet is not None and row < sheet.nrows and col < sheet.ncols:
            cell = sheet.cell(row, col)
        kind = CLASS_OF_TYPE.get(kind_word)
        if cell is not None and same_value(kind, expected, cell.ctype, cell.value):
            result["equal"] += 1
            is_date = kind_word in ("date", "formula-date")
            if kind != "n" or is_date == (cell.ctype == xlrd.XL_CELL_DATE):
                result["types_equal"] += 1
        elif sheet is not None:
            empty = cell is None or cell.ctype in (xlrd.XL_CELL_EMPTY, xlrd.XL_CELL_BLANK)
            if empty and kind == "t" and expected == "":
                result["empty_results_lost" if kind_word.startswith("formula-")
                       else "empty_texts_lost"] += 1
            elif empty and kind == "n" and math.isnan(float(expected)):
                result["nan_numbers_lost"] += 1
            elif len(differences) < shown_count:
                found = "nothing" if empty else shown(cell.ctype, cell.value)
                differences.append("%s!R%dC%d: expected %s %s, found %s" % (
                    sheet_name, row, col, kind_word,
                    json.dumps(expected, ensure_ascii=False)[:60], found))
        if kind == "n" and source:
            compare_format(result, differences, shown_count, key, source,
                           source_sheets.get(sheet_name), saved, sheet, cell)
    count_extra(result, differences, shown_count, truth, saved)
    if source:
        result["datemode"] = int(source.datemode == saved.datemode)
        result["source_sheets"] = len(source_sheets)
        for sheet_name, source_sheet in source_sheets.items():
            sheet = saved_sheets.get(sheet_name)
            if sheet is None:
                result["merges"] += len(source_sheet.merged_cells)
                continue
            result["source_sheets_found"] += 1
            have = set(tuple(m) for m in sheet.merged_cells)
            for merge in source_sheet.merged_cells:
                result["merges"] += 1
                if tuple(merge) in have:
                    result["merges_found"] += 1
                elif len(differences) < shown_count:
                    differences.append("%s: merged range %r missing" % (sheet_name, tuple(merge)))
    return result, differences


def count_extra(result, differences, shown_count, truth, saved):
    for sheet in saved.sheets():
        for row in range(sheet.nrows):
            for col, cell in enumerate(sheet.row(row)):
                if cell.ctype in (xlrd.XL_CELL_EMPTY, xlrd.XL_CELL_BLANK):
                    continue
                if (sheet.name, row, col) in truth:
                    continue
                result["extra"] += 1
                if len(differences) < shown_count:
                    differences.append("%s!R%dC%d: expected nothing, found %s" % (
                        sheet.name, row, col, shown(cell.ctype, cell.value)))


def run(name, saved, truth, source, shown_count):
    try:
        result, differences = compare(name, saved, truth, source, shown_count)
    except Exception as error:
        result, differences = {"file": name, "opened": 0, "error": str(error)[:200]}, []
    print(json.dumps(result, ensure_ascii=True))
    for line in differences:
        print("  " + line.replace("\n", "\\n"))
    sys.stdout.flush()


def main(argv):
    shown_count = SHOWN
    if len(argv) > 2 and argv[1] == "--shown":
        shown_count = int(argv[2])
        argv = argv[:1] + argv[3:]
    if len(argv) == 3 and argv[1] == "--batch":
        with open(argv[2], encoding="utf-8") as f:
            for line in f:
                fields = line.rstrip("\n").split("\t")
                if len(fields) >= 3:
                    run(fields[0], fields[1], fields[2], fields[3] if len(fields) > 3 else None,
                        shown_count)
        return 0
    if len(argv) in (3, 4):
        run(argv[1], argv[1], argv[2], argv[3] if len(argv) == 4 else None, shown_count)
        return 0
    print(__doc__, file=sys.stderr)
    return 64


if __name__ == "__main__":
    sys.exit(main(sys.argv))

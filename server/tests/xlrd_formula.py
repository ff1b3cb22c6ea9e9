#!/usr/bin/env python3
"""Decompiles compiled formula tokens with xlrd's own formula decoder.

Used by the formula compiler's tests as an independent reader of tokens.

    xlrd_formula.py FILE HEX...

FILE is a workbook written by the server (its EXTERNSHEET and SUPBOOK
records name the sheets of 3-D references); each HEX is the token bytes of
one cell formula. Prints one line per formula: the text xlrd makes of it,
or "error <message>" when xlrd cannot decode it.
"""
import sys

import xlrd
from xlrd import formula


def main():
    book = xlrd.open_workbook(sys.argv[1])
    for text in sys.argv[2:]:
        data = bytes.fromhex(text)
        try:
            print(formula.decompile_formula(book, data, len(data), formula.FMLA_TYPE_CELL,
                                            0, 0, 0, 0, 0))
        except Exception as error:  # xlrd raises assorted errors on what it cannot read
            print("error", type(error).__name__, error)


if __name__ == "__main__":
    main()

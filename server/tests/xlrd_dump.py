#!/usr/bin/env python3
"""Reads an .xls file with xlrd and prints what it found, one fact per line.

Used by the writer's read-back tests as an independent, strict reader.

    xlrd_dump.py FILE            every cell with its value and formatting
    xlrd_dump.py --summary FILE  per sheet: counts and sums, no cells

Lines (tab-separated; texts JSON-quoted with ASCII escapes):
    warning  <text>                     anything xlrd logged while reading
    book     datemode <0|1>  nsheets <n>
    name     <name> <scope> <hidden> <function> <macro> <built-in> <formula>
             (scope -1 for the workbook, else the sheet index; the formula
             as xlrd evaluates it, empty when it has none)
    sheet    <index> <name> <nrows> <ncols>
    cell     <sheet> <row> <col> <kind> <value>
    format   <sheet> <row> <col> <number format text>
    font     <sheet> <row> <col> <name> <height> <bold> <italic> <underline> <colour>
    fill     <sheet> <row> <col> <pattern> <pattern colour> <background colour>
    border   <sheet> <row> <col> <left> <right> <top> <bottom> <diagonal> <down> <up>
             (each line as style/colour)
    used     <sheet> <row> <col> <format> <font> <border> <pattern>  (XF flags)
    xf       <sheet> <row> <col> <XF index> <parent style XF index>
    style    <name> <built-in> <style XF index>  (the named styles)
    effects  <sheet> <row> <col> <struck out> <escapement>  (0 none, 1 super-, 2 subscript)
    align    <sheet> <row> <col> <horizontal> <vertical> <wrapped> <rotation> <indent>
             <shrink to fit> <XF alignment flag>
    protect  <sheet> <row> <col> <locked> <formula hidden> <XF protection flag>
    merged   <sheet> <first row> <last row> <first col> <last col>   (inclusive)
    note     <sheet> <row> <col> <author> <shown> <text>             (cell comments)
    colour   <index> <red> <green> <blue>     (the palette, indices 8 to 63)
    visible  <sheet> <0 shown | 1 hidden | 2 very hidden>
    window   <sheet> <gridlines> <headings> <frozen> <zoom> <first row> <first col>
             (zoom: the normal view's, from SCL, else 100)
    pane     <sheet> <columns or x> <rows or y> <first row> <first col> <active pane>
             (only when the sheet has a PANE record; frozen: columns and rows,
             else the split's position in twips)
    sizes    <sheet> <DEFCOLWIDTH or -1> <STANDARDWIDTH or -1> <default row height>
             <custom> <hidden>
    colinfo  <sheet> <col> <width> <hidden> <xf>
    rowinfo  <sheet> <row> <height> <custom> <hidden> <xf or -1>
    summary  <sheet> <numbers> <sum> <texts> <text chars> <others>
    hyperlink <sheet> <first row> <last row> <first col> <last col> <url or path>
             <text mark> <description> <tool tip>
"""
import io
import json
import sys

import xlrd

KINDS = {
    xlrd.XL_CELL_EMPTY: "empty",
    xlrd.XL_CELL_TEXT: "text",
    xlrd.XL_CELL_NUMBER: "number",
    xlrd.XL_CELL_DATE: "number",
    xlrd.XL_CELL_BOOLEAN: "boolean",
    xlrd.XL_CELL_ERROR: "error",
    xlrd.XL_CELL_BLANK: "blank",
}


def q(text):
    return json.dumps(text, ensure_ascii=True)


def out(*fields):
    print("\t".join(str(f) for f in fields))


def value_text(cell):
    if cell.ctype == xlrd.XL_CELL_TEXT:
        return q(cell.value)
    if cell.ctype in (xlrd.XL_CELL_NUMBER, xlrd.XL_CELL_DATE):
        return repr(float(cell.value))
    if cell.ctype in (xlrd.XL_CELL_BOOLEAN, xlrd.XL_CELL_ERROR):
        return str(int(cell.value))
    return ""


def dump_formatting(book, si, r, c, xf_index):
    xf = book.xf_list[xf_index]
    font = book.font_list[xf.font_index]
    fmt = book.format_map.get(xf.format_key)
    out("format", si, r, c, q(fmt.format_str if fmt else ""))
    out("font", si, r, c, q(font.name), font.height, int(font.bold), int(font.italic),
        font.underline_type, font.colour_index)
    bg = xf.background
    out("fill", si, r, c, bg.fill_pattern, bg.pattern_colour_index, bg.background_colour_index)
    b = xf.border
    out("border", si, r, c,
        "%d/%d" % (b.left_line_style, b.left_colour_index),
        "%d/%d" % (b.right_line_style, b.right_colour_index),
        "%d/%d" % (b.top_line_style, b.top_colour_index),
        "%d/%d" % (b.bottom_line_style, b.bottom_colour_index),
        "%d/%d" % (b.diag_line_style, b.diag_colour_index), b.diag_down, b.diag_up)
    out("used", si, r, c, xf._format_flag, xf._font_flag, xf._border_flag, xf._background_flag)
    out("xf", si, r, c, xf_index, xf.parent_style_index)
    out("effects", si, r, c, font.struck_out, font.escapement)
    a = xf.alignment
    out("align", si, r, c, a.hor_align, a.vert_align, a.text_wrapped, a.rotation, a.indent_level,
        a.shrink_to_fit, xf._alignment_flag)
    p = xf.protection
    out("protect", si, r, c, p.cell_locked, p.formula_hidden, xf._protection_flag)


def dump_layout(si, sh):
    out("visible", si, sh.visibility)
    out("window", si, sh.show_grid_lines, sh.show_sheet_headers, sh.panes_are_frozen,
        sh.cooked_normal_view_mag_factor, sh.first_visible_rowx, sh.first_visible_colx)
    if sh.has_pane_record:
        out("pane", si, sh.vert_split_pos, sh.horz_split_pos, sh.horz_split_first_visible,
            sh.vert_split_first_visible, sh.split_active_pane)
    out("sizes", si, -1 if sh.defcolwidth is None else sh.defcolwidth,
        -1 if sh.standardwidth is None else sh.standardwidth, sh.default_row_height,
        sh.default_row_height_mismatch, sh.default_row_hidden)


def main(argv):
    summary = argv[1] == "--summary"
    path = argv[-1]
    log = io.StringIO()
    book = xlrd.open_workbook(path, formatting_info=not summary, logfile=log)
    for line in log.getvalue().splitlines():
        if line.strip():
            out("warning", q(line))
    out("book", "datemode", book.datemode, "nsheets", book.nsheets)
    for name in book.name_obj_list:
        result = name.result
        out("name", q(name.name), name.scope, int(name.hidden), int(name.func),
            int(name.macro), int(name.builtin), q(result.text if result is not None else ""))
    if not summary:
        for name, (built_in, xf_index) in sorted(book.style_name_map.items()):
            out("style", q(name), int(built_in), xf_index)
        for index in range(8, 64):
            out("colour", index, *book.colour_map[index])
    for si, sh in enumerate(book.sheets()):
        out("sheet", si, q(sh.name), sh.nrows, sh.ncols)
        if summary:
            numbers = texts = chars = others = 0
            total = 0.0
            for r in range(sh.nrows):
                for cell in sh.row(r):
                    if cell.ctype == xlrd.XL_CELL_NUMBER:
                        numbers += 1
                        total += cell.value
                    elif cell.ctype == xlrd.XL_CELL_TEXT:
                        texts += 1
                        chars += len(cell.value)
                    elif cell.ctype != xlrd.XL_CELL_EMPTY:
                        others += 1
            out("summary", si, numbers, repr(total), texts, chars, others)
            continue
        dump_layout(si, sh)
        for r in range(sh.nrows):
            for c in range(sh.row_len(r)):
                cell = sh.cell(r, c)
                if cell.ctype == xlrd.XL_CELL_EMPTY:
                    continue
                out("cell", si, r, c, KINDS[cell.ctype], value_text(cell))
                dump_formatting(book, si, r, c, cell.xf_index)
        for rlo, rhi, clo, chi in sh.merged_cells:
            out("merged", si, rlo, rhi - 1, clo, chi - 1)
        for (r, c), note in sorted(sh.cell_note_map.items()):
            out("note", si, r, c, q(note.author), note.show, q(note.text))
        for h in sh.hyperlink_list:
            target = h.url_or_path or ""
            if isinstance(target, bytes):  # a file moniker's 8-bit path alone
                target = target.decode("latin-1")
            out("hyperlink", si, h.frowx, h.lrowx, h.fcolx, h.lcolx, q(target),
                q(h.textmark or ""), q(h.desc or ""), q(h.quicktip or ""))
        for c, info in sorted(sh.colinfo_map.items()):
            out("colinfo", si, c, info.width, info.hidden, info.xf_index)
        for r, info in sorted(sh.rowinfo_map.items()):
            out("rowinfo", si, r, info.height, info.height_mismatch, info.hidden,
                info.xf_index if info.has_default_xf_index else -1)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

#include "repair/CRepairReportJson.h"

#include <cstdio>

#include "platform/TextConversion.h"

namespace {

const char* OutcomeName(EReportOutcome outcome) {
    switch (outcome) {
        case EReportOutcome::Complete:
            return "complete";
        case EReportOutcome::Partial:
            return "partial";
        case EReportOutcome::Failed:
            break;
    }
    return "failed";
}

// The length of the well-formed UTF-8 sequence at text[at], or 0.
std::size_t Utf8Length(const std::string& text, std::size_t at) {
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = 0;
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    else
        return 0;
    if (at + length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i)
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
    return length;
}

// Escapes a text for a JSON string; bytes that are not UTF-8 (a file name
// from another system) become U+FFFD.
void PutString(std::string& out, const std::string& text) {
    out += '"';
    for (std::size_t at = 0; at < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[at]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else if (const std::size_t length = Utf8Length(text, at); length > 1) {
            out.append(text, at, length);
            at += length;
            continue;
        } else if (length == 0) {
            out += "\xEF\xBF\xBD";
        } else {
            out += static_cast<char>(c);
        }
        ++at;
    }
    out += '"';
}

class JsonOut {
public:
    std::string& Text() { return m_out; }

    JsonOut& Key(const char* name) {
        Separate();
        PutString(m_out, name);
        m_out += ": ";
        m_first = true;  // the value follows without a comma
        m_afterKey = true;
        return *this;
    }
    JsonOut& String(const std::string& value) {
        Separate();
        PutString(m_out, value);
        return *this;
    }
    JsonOut& Number(std::uint64_t value) {
        Separate();
        m_out += std::to_string(value);
        return *this;
    }
    JsonOut& Bool(bool value) {
        Separate();
        m_out += value ? "true" : "false";
        return *this;
    }
    JsonOut& Null() {
        Separate();
        m_out += "null";
        return *this;
    }
    JsonOut& Open(char bracket) {
        Separate();
        m_out += bracket;
        m_first = true;
        return *this;
    }
    JsonOut& Close(char bracket) {
        m_out += bracket;
        m_first = false;
        return *this;
    }

private:
    void Separate() {
        if (m_afterKey) {
            m_afterKey = false;
        } else if (!m_first) {
            m_out += ", ";
        }
        m_first = false;
    }

    std::string m_out;
    bool m_first = true;
    bool m_afterKey = false;
};

void PutNames(JsonOut& json, const std::vector<std::string>& names) {
    json.Open('[');
    for (const std::string& name : names) json.String(name);
    json.Close(']');
}

void PutNumbers(JsonOut& json, const std::vector<std::uint32_t>& numbers) {
    json.Open('[');
    for (const std::uint32_t number : numbers) json.Number(number);
    json.Close(']');
}

void PutSheet(JsonOut& json, const CReportSheet& sheet) {
    json.Open('{');
    json.Key("position").Number(sheet.position);
    json.Key("name").String(ToUtf8(sheet.name));
    json.Key("name_invented").Bool(sheet.name.empty());
    json.Key("name_broken").Bool(sheet.brokenName);
    json.Key("cells").Open('{');
    json.Key("total").Number(sheet.Cells());
    json.Key("numbers").Number(sheet.numbers);
    json.Key("texts").Number(sheet.texts);
    json.Key("booleans").Number(sheet.booleans);
    json.Key("errors").Number(sheet.errors);
    json.Key("empty").Number(sheet.empty);
    json.Key("formulas").Number(sheet.formulas);
    json.Close('}');
    json.Key("area");
    if (sheet.first && sheet.last) {
        json.String(CRepairReportJson::Address(*sheet.first) + ":" +
                    CRepairReportJson::Address(*sheet.last));
    } else {
        json.Null();
    }
    json.Key("lost_strings").Open('[');
    for (const CReportCell& cell : sheet.lostStrings) json.String(CRepairReportJson::Address(cell));
    json.Close(']');
    json.Key("formulas_as_values").Open('[');
    for (const CReportFormulaAsValue& formula : sheet.formulasAsValues) {
        json.Open('{');
        json.Key("cell").String(CRepairReportJson::Address(formula.cell));
        json.Key("reason").String(formula.reason);
        json.Close('}');
    }
    json.Close(']');
    json.Key("broken_text_cells").Open('[');
    for (const CReportCell& cell : sheet.brokenTexts) json.String(CRepairReportJson::Address(cell));
    json.Close(']');
    json.Close('}');
}

void PutWorkbook(JsonOut& json, const CReportWorkbook& workbook) {
    json.Open('{');
    json.Key("encrypted").Bool(workbook.encrypted);
    json.Key("date_1904").Bool(workbook.date1904);
    json.Key("formats_not_carried").Open('{');
    json.Key("cells_without_xf").Number(workbook.formats.cellsWithoutXf);
    json.Key("cells_without_font").Number(workbook.formats.cellsWithoutFont);
    json.Key("cells_without_number_format").Number(workbook.formats.cellsWithoutNumberFormat);
    json.Close('}');
    json.Key("sheets").Open('[');
    for (const CReportSheet& sheet : workbook.sheets) PutSheet(json, sheet);
    json.Close(']');
    json.Close('}');
}

}  // namespace

std::string CRepairReportJson::Address(const CReportCell& cell) {
    std::string column;
    for (std::uint32_t n = cell.column + 1u; n > 0; n = (n - 1) / 26)
        column.insert(column.begin(), static_cast<char>('A' + (n - 1) % 26));
    return column + std::to_string(cell.row + 1u);
}

std::string CRepairReportJson::Write(const CRepairReport& report) {
    JsonOut json;
    json.Open('{');
    json.Key("report").String("mendwell repair report");
    json.Key("version").Number(CRepairReport::kVersion);

    json.Key("source").Open('{');
    json.Key("path").String(report.source.string());
    json.Key("size").Number(report.sourceSize);
    json.Key("kind").String(report.kind);
    json.Key("compound_file_errors");
    PutNames(json, report.compoundErrors);
    json.Key("header_conditions_failed");
    if (report.headerConditionsFailed) {
        PutNames(json, *report.headerConditionsFailed);
    } else {
        json.Null();
    }
    json.Key("stream").String(!report.reassembledFrom.empty() ? "reassembled"
                              : report.scannedExtractedStream ? "extracted"
                                                              : "raw file");
    json.Key("older_records_translated").Bool(report.translatedOlderRecords);
    json.Key("reassembled_from").Open('[');
    for (const CSectorRun& run : report.reassembledFrom) {
        json.Open('{');
        json.Key("first").Number(run.first);
        json.Key("count").Number(run.count);
        json.Close('}');
    }
    json.Close(']');
    json.Key("copy_doubt");
    if (report.copyDoubt.empty()) {
        json.Null();
    } else {
        json.String(report.copyDoubt);
    }
    json.Key("skipped_sectors");
    PutNumbers(json, report.skippedSectors);
    json.Key("skipped_sectors_total").Number(report.skippedSectorsTotal);
    json.Key("skipped_mini_sectors");
    PutNumbers(json, report.skippedMiniSectors);
    json.Key("skipped_mini_sectors_total").Number(report.skippedMiniSectorsTotal);
    json.Key("chain_cut");
    if (report.chainCut) {
        json.Open('{');
        json.Key("sector").Number(report.chainCut->sector);
        json.Key("mini").Bool(report.chainCut->mini);
        json.Key("reason").String(report.chainCut->reason);
        json.Close('}');
    } else {
        json.Null();
    }
    json.Close('}');

    json.Key("workbooks").Open('[');
    for (const CReportWorkbook& workbook : report.workbooks) PutWorkbook(json, workbook);
    json.Close(']');

    json.Key("damage").Open('[');
    for (const CReportDamage& damage : report.damage) {
        char bytes[32];
        std::snprintf(bytes, sizeof bytes, "0x%08X-0x%08X", damage.begin, damage.end);
        json.Open('{');
        json.Key("bytes").String(bytes);
        json.Key("reason").String(damage.reason);
        json.Key("sheet");
        if (damage.sheetPosition) {
            json.Number(*damage.sheetPosition);
        } else {
            json.Null();
        }
        json.Key("sheet_name").String(ToUtf8(damage.sheetName));
        json.Key("globals").Bool(damage.globals);
        // 1-based, as the user sees rows: the damage lies after the first
        // and before the second.
        json.Key("after_row");
        if (damage.rowBefore) {
            json.Number(*damage.rowBefore + 1u);
        } else {
            json.Null();
        }
        json.Key("before_row");
        if (damage.rowAfter) {
            json.Number(*damage.rowAfter + 1u);
        } else {
            json.Null();
        }
        json.Close('}');
    }
    json.Close(']');

    json.Key("lost").Open('{');
    json.Key("string_cells").Number(report.LostStringCells());
    json.Key("formulas_as_values").Number(report.FormulasAsValues());
    json.Key("cells_without_format").Number(report.CellsWithoutFormat());
    json.Key("sheets_without_name").Number(report.UnnamedSheets());
    json.Key("broken_text_cells").Number(report.BrokenTextCells());
    json.Key("sheets_with_broken_name").Number(report.SheetsWithBrokenName());
    json.Key("damaged_ranges").Number(report.damageReported);
    json.Close('}');

    json.Key("save");
    if (report.destination) {
        json.Open('{');
        json.Key("destination").String(report.destination->string());
        json.Key("saved").Bool(report.saved);
        json.Key("refused_calls").Number(report.refusedCalls);
        json.Key("refused").Open('[');
        for (const CReportRefusal& refusal : report.refused) {
            json.Open('{');
            json.Key("call").String(refusal.call);
            json.Key("count").Number(refusal.count);
            json.Close('}');
        }
        json.Close(']');
        json.Close('}');
    } else {
        json.Null();
    }

    json.Key("verdict").Open('{');
    json.Key("outcome").String(OutcomeName(report.outcome));
    json.Key("reason").String(report.reason);
    json.Key("recovered_cells").Number(report.RecoveredCells());
    json.Close('}');
    json.Close('}');
    json.Text() += '\n';
    return json.Text();
}

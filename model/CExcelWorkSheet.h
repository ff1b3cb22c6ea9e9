// One sheet of a workbook: where its substream lies in the scan file, its
// name and visibility, and the record lists the worksheet parser fills.
//
// Sheets come from BOUNDSHEET records (start = the stream position that the
// record gives, end = 0 until the sheet is placed on a BOF found in the
// file) or from worksheet BOFs that no BOUNDSHEET accounts for. Offsets
// count from the first byte of the scan file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "biff/CTList.h"

class CExcelCommentList;
class CExcelRecordBLANK;
class CExcelRecordBOOLERR;
class CExcelRecordCOLINFO;
class CExcelRecordCONDFMT;
class CExcelRecordDV;
class CExcelRecordHLINK;
class CExcelRecordLABEL;
class CExcelRecordLABELSST;
class CExcelRecordMERGEDCELLS;
class CExcelRecordMULBLANK;
class CExcelRecordNUMBER;
class CExcelRecordQUICKTIP;
class CExcelRecordRKVALUE;
class CExcelRecordROW;
class CExcelRecordWBXF;
class CExcelRecordFormula;
class CExcelRecordMulOpTable;

using CExcelRecordNUMBERList = CTList<CExcelRecordNUMBER>;
// RK records and every cell of MULRK records.
using CExcelRecordRKVALUEList = CTList<CExcelRecordRKVALUE>;

class CExcelWorkSheet : public CTListNode<CExcelWorkSheet> {
public:
    CExcelWorkSheet();
    CExcelWorkSheet(const CExcelWorkSheet&) = delete;
    CExcelWorkSheet& operator=(const CExcelWorkSheet&) = delete;
    virtual ~CExcelWorkSheet();

    // The name, or "unnamed" when it is empty.
    std::u16string GetName() const;
    void SetName(std::u16string name) { m_name = std::move(name); }

    std::uint32_t GetStart() const { return m_start; }
    void SetStart(std::uint32_t start) { m_start = start; }
    std::uint32_t GetEnd() const { return m_end; }
    void SetEnd(std::uint32_t end) { m_end = end; }
    // BOUNDSHEET visibility byte (0 for sheets made from a BOF).
    std::uint32_t GetVisibility() const { return m_visibility; }
    void SetVisibility(std::uint32_t visibility) { m_visibility = visibility; }

    // XF records met inside the sheet's substream.
    CTList<CExcelRecordWBXF>& GetXFs() { return m_xfs; }
    const CTList<CExcelRecordWBXF>& GetXFs() const { return m_xfs; }

    // Cell-level records, one list per kind, in the order the parser met
    // them.
    CExcelRecordNUMBERList& GetNumbers() { return m_numbers; }
    const CExcelRecordNUMBERList& GetNumbers() const { return m_numbers; }
    CExcelRecordRKVALUEList& GetRKValues() { return m_rkValues; }
    const CExcelRecordRKVALUEList& GetRKValues() const { return m_rkValues; }
    CTList<CExcelRecordBLANK>& GetBlanks() { return m_blanks; }
    const CTList<CExcelRecordBLANK>& GetBlanks() const { return m_blanks; }
    CTList<CExcelRecordMULBLANK>& GetMulBlanks() { return m_mulBlanks; }
    const CTList<CExcelRecordMULBLANK>& GetMulBlanks() const { return m_mulBlanks; }
    CTList<CExcelRecordBOOLERR>& GetBoolErrs() { return m_boolErrs; }
    const CTList<CExcelRecordBOOLERR>& GetBoolErrs() const { return m_boolErrs; }
    CTList<CExcelRecordCOLINFO>& GetColInfos() { return m_colInfos; }
    const CTList<CExcelRecordCOLINFO>& GetColInfos() const { return m_colInfos; }
    CTList<CExcelRecordROW>& GetRows() { return m_rows; }
    const CTList<CExcelRecordROW>& GetRows() const { return m_rows; }
    CTList<CExcelRecordQUICKTIP>& GetQuickTips() { return m_quickTips; }
    const CTList<CExcelRecordQUICKTIP>& GetQuickTips() const { return m_quickTips; }
    CTList<CExcelRecordMERGEDCELLS>& GetMergedCells() { return m_mergedCells; }
    const CTList<CExcelRecordMERGEDCELLS>& GetMergedCells() const { return m_mergedCells; }
    CTList<CExcelRecordLABELSST>& GetLabelSSTs() { return m_labelSsts; }
    const CTList<CExcelRecordLABELSST>& GetLabelSSTs() const { return m_labelSsts; }
    // LABEL and RSTRING cells: text stored in the record itself.
    CTList<CExcelRecordLABEL>& GetLabels() { return m_labels; }
    const CTList<CExcelRecordLABEL>& GetLabels() const { return m_labels; }
    // FORMULA records with their attached SHRFMLA, ARRAY and STRING data.
    CTList<CExcelRecordFormula>& GetFormulas() { return m_formulas; }
    const CTList<CExcelRecordFormula>& GetFormulas() const { return m_formulas; }
    // The FORMULA records that a SHRFMLA or ARRAY record followed: the
    // records holding the tokens that ptgExp members refer to, in stream
    // order, and by their cell (row << 16 | column; several records may sit
    // on one cell of a damaged sheet). Pointers into the formula list.
    void AddFormulaHost(const CExcelRecordFormula& host, std::uint16_t row, std::uint16_t column);
    const std::vector<const CExcelRecordFormula*>& GetFormulaHosts() const { return m_hosts; }
    using HostIndex = std::unordered_multimap<std::uint32_t, const CExcelRecordFormula*>;
    const HostIndex& GetFormulaHostIndex() const { return m_hostIndex; }
    static std::uint32_t HostKey(std::uint16_t row, std::uint16_t column) {
        return static_cast<std::uint32_t>(row) << 16 | column;
    }

    // TABLE records of exactly 16 bytes.
    CTList<CExcelRecordMulOpTable>& GetTables() { return m_tables; }
    const CTList<CExcelRecordMulOpTable>& GetTables() const { return m_tables; }
    // Cell comments: NOTE records with the texts of their drawing objects.
    CExcelCommentList& GetComments() { return *m_comments; }
    const CExcelCommentList& GetComments() const { return *m_comments; }
    // HLINK records that hold a whole target, with their tool tips.
    CTList<CExcelRecordHLINK>& GetHyperlinks() { return m_hyperlinks; }
    const CTList<CExcelRecordHLINK>& GetHyperlinks() const { return m_hyperlinks; }
    // DV records kept whole.
    CTList<CExcelRecordDV>& GetValidations() { return m_validations; }
    const CTList<CExcelRecordDV>& GetValidations() const { return m_validations; }
    // CONDFMT records kept whole with their CF records.
    CTList<CExcelRecordCONDFMT>& GetConditionalFormats() { return m_conditionalFormats; }
    const CTList<CExcelRecordCONDFMT>& GetConditionalFormats() const {
        return m_conditionalFormats;
    }

    // How many cells this sheet's MULRK records have taken from bytes past
    // their own end; the MULRK decoder keeps it below its allowance.
    std::uint32_t GetMulRkOverrun() const { return m_mulRkOverrun; }
    void SetMulRkOverrun(std::uint32_t cells) { m_mulRkOverrun = cells; }

private:
    CExcelRecordNUMBERList m_numbers;
    CExcelRecordRKVALUEList m_rkValues;
    CTList<CExcelRecordWBXF> m_xfs;
    CTList<CExcelRecordBLANK> m_blanks;
    CTList<CExcelRecordMULBLANK> m_mulBlanks;
    CTList<CExcelRecordBOOLERR> m_boolErrs;
    CTList<CExcelRecordCOLINFO> m_colInfos;
    CTList<CExcelRecordROW> m_rows;
    CTList<CExcelRecordQUICKTIP> m_quickTips;
    CTList<CExcelRecordMERGEDCELLS> m_mergedCells;
    CTList<CExcelRecordLABELSST> m_labelSsts;
    CTList<CExcelRecordLABEL> m_labels;
    CTList<CExcelRecordFormula> m_formulas;
    CTList<CExcelRecordMulOpTable> m_tables;
    std::vector<const CExcelRecordFormula*> m_hosts;
    HostIndex m_hostIndex;
    std::unique_ptr<CExcelCommentList> m_comments;
    CTList<CExcelRecordHLINK> m_hyperlinks;
    CTList<CExcelRecordDV> m_validations;
    CTList<CExcelRecordCONDFMT> m_conditionalFormats;
    std::uint32_t m_mulRkOverrun = 0;
    std::uint32_t m_end = 0;
    std::uint32_t m_start = 0;
    std::uint32_t m_visibility = 0;
    std::u16string m_name;
};

// The records of one sheet that the record decoders fill: cells (NUMBER,
// RK and MULRK, LABELSST, LABEL and RSTRING, BLANK and MULBLANK, BOOLERR),
// rows, columns, merged areas, XFs met in the sheet, comments, hyperlinks,
// data validations and conditional formats, and the sheet's layout and
// window records (CExcelSheetLayout). One list per kind, in the
// order the worksheet parser met the records; owns every list.
//
// The sheet's place in the file, its name and its formula records are kept
// above the record layer (CExcelWorkSheet derives from this class).
#pragma once

#include <cstdint>
#include <memory>

#include "biff/CTList.h"
#include "records/CExcelSheetLayout.h"

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

using CExcelRecordNUMBERList = CTList<CExcelRecordNUMBER>;
// RK records and every cell of MULRK records.
using CExcelRecordRKVALUEList = CTList<CExcelRecordRKVALUE>;

class CExcelSheetRecords {
public:
    CExcelSheetRecords();
    CExcelSheetRecords(const CExcelSheetRecords&) = delete;
    CExcelSheetRecords& operator=(const CExcelSheetRecords&) = delete;
    virtual ~CExcelSheetRecords();

    // XF records met inside the sheet's substream.
    CTList<CExcelRecordWBXF>& GetXFs() { return m_xfs; }
    const CTList<CExcelRecordWBXF>& GetXFs() const { return m_xfs; }

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

    // Gives back the untouched pages of the cell lists' last blocks, once
    // the sheet's records are all read.
    void ReleaseSpare();

    // DEFCOLWIDTH, STANDARDWIDTH, DEFAULTROWHEIGHT and the window records.
    CExcelSheetLayout& GetLayout() { return m_layout; }
    const CExcelSheetLayout& GetLayout() const { return m_layout; }

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
    std::unique_ptr<CExcelCommentList> m_comments;
    CTList<CExcelRecordHLINK> m_hyperlinks;
    CTList<CExcelRecordDV> m_validations;
    CTList<CExcelRecordCONDFMT> m_conditionalFormats;
    CExcelSheetLayout m_layout;
    std::uint32_t m_mulRkOverrun = 0;
};

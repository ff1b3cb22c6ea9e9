#include "formula/CExcelRecordFormula.h"

#include <algorithm>
#include <cstring>

#include "format/CExcelFormatText.h"
#include "format/CExcelNumberFormatManager.h"
#include "format/CPrintfText.h"
#include "formula/CExcelFormulaHostLookup.h"
#include "formula/CExcelFormulaParser.h"
#include "formula/FormulaTokens.h"
#include "platform/RunState.h"
#include "records/CConstData.h"
#include "records/CExcelCellNumberFormat.h"
#include "records/CellRecordLayout.h"

namespace {

// Record data offsets.
constexpr std::uint32_t kResult = 6;
constexpr std::uint32_t kOptionFlags = 14;

// Cached result offsets, counted from the first result byte.
constexpr std::uint32_t kResultKind = 0;
constexpr std::uint32_t kResultValue = 2;
constexpr std::uint32_t kResultTag = 6;  // FF FF marks a tagged kind
constexpr std::uint16_t kTagged = 0xFFFF;

// STRING data offsets.
constexpr std::uint32_t kStringCount = 0;
constexpr std::uint32_t kStringFlags = 2;
constexpr std::uint32_t kStringChars = 3;
constexpr std::uint8_t kStringWide = 0x01;

// A record cannot declare more data than its 16-bit length field holds.
constexpr std::uint32_t kMaxRecordData = 0xFFFF;
// A string result joined from STRING and CONTINUE records: its 16-bit
// count of UTF-16 characters after the count and flags.
constexpr std::uint32_t kMaxStringData = 3 + 2 * 0xFFFF;

FormulaResultType KindOf(const std::uint8_t* result) {
    if (CDataReader::GetU16(result + kResultTag) != kTagged) return FormulaResultNumber;
    // Kinds past "empty" are taken as the double the bytes spell (a NaN).
    const std::uint8_t kind = result[kResultKind];
    return kind <= FormulaResultEmpty ? static_cast<FormulaResultType>(kind) : FormulaResultNumber;
}

}  // namespace

CExcelRecordFormula::CExcelRecordFormula(const std::uint8_t* data, std::uint32_t length) {
    length = std::min(length, kMaxRecordData);
    m_row = CDataReader::GetU16(data + biff8::kCellRow);
    m_column = CDataReader::GetU16(data + biff8::kCellColumn);
    m_xf = CDataReader::GetU16(data + biff8::kCellXF);
    std::copy_n(data + kResult, kResultSize, m_result.begin());
    m_resultType = static_cast<std::uint8_t>(KindOf(data + kResult));
    m_optionFlags = CDataReader::GetU16(data + kOptionFlags);
    if (length > kFixedSize) {
        m_formulaDataLength = static_cast<std::uint16_t>(length - kFixedSize);
        m_formulaData.Assign(data + kFixedSize, m_formulaDataLength);
    }
    RepairCounters[CounterFormulaCells].fetch_add(1);
}

CExcelRecordFormula::~CExcelRecordFormula() {
    if (m_extraIsAttachments)
        delete static_cast<Attachments*>(m_extra);
    else
        Decoded::Free(static_cast<Decoded*>(m_extra));
}

CExcelRecordFormula::Decoded* CExcelRecordFormula::Decoded::Make(std::u16string_view text) {
    const bool wide =
        std::any_of(text.begin(), text.end(), [](char16_t unit) { return unit > 0xFF; });
    const std::size_t bytes = text.size() * (wide ? sizeof(char16_t) : 1);
    auto* decoded = ::new (::operator new(sizeof(Decoded) + bytes)) Decoded;
    decoded->length = static_cast<std::uint32_t>(text.size());
    decoded->wide = wide;
    auto* at = reinterpret_cast<unsigned char*>(decoded + 1);
    if (wide)
        std::memcpy(at, text.data(), bytes);
    else
        std::transform(text.begin(), text.end(), at,
                       [](char16_t unit) { return static_cast<unsigned char>(unit); });
    return decoded;
}

void CExcelRecordFormula::Decoded::Free(Decoded* decoded) {
    if (!decoded) return;
    decoded->~Decoded();
    ::operator delete(decoded);
}

std::u16string CExcelRecordFormula::Decoded::Text() const {
    const auto* at = reinterpret_cast<const unsigned char*>(this + 1);
    std::u16string text(length, u'\0');
    if (wide)
        std::memcpy(text.data(), at, length * sizeof(char16_t));
    else
        std::copy(at, at + length, text.begin());
    return text;
}

const CExcelRecordFormula::Attachments& CExcelRecordFormula::Attached() const {
    static const Attachments kNone;
    return m_extraIsAttachments ? *static_cast<const Attachments*>(m_extra) : kNone;
}

CExcelRecordFormula::Attachments& CExcelRecordFormula::Attach() {
    if (!m_extraIsAttachments) {
        auto attachments = std::make_unique<Attachments>();
        // A decode made before the attachments goes with them.
        attachments->decoded.reset(static_cast<Decoded*>(m_extra));
        m_extra = attachments.release();
        m_extraIsAttachments = true;
    }
    return *static_cast<Attachments*>(m_extra);
}

CExcelRecordFormula::Decoded* CExcelRecordFormula::KeptDecode() const {
    return m_extraIsAttachments ? static_cast<Attachments*>(m_extra)->decoded.get()
                                : static_cast<Decoded*>(m_extra);
}

void CExcelRecordFormula::KeepDecode(DecodedPtr decoded) const {
    if (m_extraIsAttachments) {
        static_cast<Attachments*>(m_extra)->decoded = std::move(decoded);
        return;
    }
    Decoded::Free(static_cast<Decoded*>(m_extra));
    m_extra = decoded.release();
}

void CExcelRecordFormula::ReleaseDecoded() const {
    KeepDecode(nullptr);
}

void CExcelRecordFormula::SetArrayRecord(const std::uint8_t* data, std::uint32_t length) {
    Attach().arrayRecord.Assign(data, std::min(length, kMaxRecordData));
}

void CExcelRecordFormula::SetSharedFormulaRecord(const std::uint8_t* data, std::uint32_t length) {
    Attach().sharedRecord.Assign(data, std::min(length, kMaxRecordData));
}

void CExcelRecordFormula::SetStringResult(const std::uint8_t* data, std::uint32_t length) {
    length = std::min(length, kMaxStringData);
    Attach().stringResult.Assign(data, length);
    m_hasStringResult = true;
}

std::uint32_t CExcelRecordFormula::GetResultSize() const {
    // The STRING data's buffer holds its bytes and two zero bytes.
    return m_hasStringResult ? Attached().stringResult.Size() : kResultSize;
}

double CExcelRecordFormula::GetNumber() const {
    if (m_hasStringResult) return Attached().stringResult.ReadDouble(0);
    std::uint64_t bits = 0;
    for (std::size_t i = kResultSize; i-- > 0;) bits = (bits << 8) | m_result[i];
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

const CByteBuffer* CExcelRecordFormula::GetSharedFormulaRecord() const {
    const CByteBuffer& shared = Attached().sharedRecord;
    return shared.Size() ? &shared : nullptr;
}

const CByteBuffer* CExcelRecordFormula::GetArrayRecord() const {
    const CByteBuffer& array = Attached().arrayRecord;
    return array.Size() ? &array : nullptr;
}

// An unattached buffer reads as zeros, and so does a range field that the
// attached data is too short to hold.
std::uint16_t CExcelRecordFormula::GetSharedFirstRow() const {
    return Attached().sharedRecord.ReadU16(biff8::kRangeFirstRow);
}
std::uint16_t CExcelRecordFormula::GetSharedLastRow() const {
    return Attached().sharedRecord.ReadU16(biff8::kRangeLastRow);
}
std::uint8_t CExcelRecordFormula::GetSharedFirstColumn() const {
    return Attached().sharedRecord.ReadU8(biff8::kRangeFirstColumn);
}
std::uint8_t CExcelRecordFormula::GetSharedLastColumn() const {
    return Attached().sharedRecord.ReadU8(biff8::kRange6LastColumn);
}
std::uint16_t CExcelRecordFormula::GetArrayFirstRow() const {
    return Attached().arrayRecord.ReadU16(biff8::kRangeFirstRow);
}
std::uint16_t CExcelRecordFormula::GetArrayLastRow() const {
    return Attached().arrayRecord.ReadU16(biff8::kRangeLastRow);
}
std::uint8_t CExcelRecordFormula::GetArrayFirstColumn() const {
    return Attached().arrayRecord.ReadU8(biff8::kRangeFirstColumn);
}
std::uint8_t CExcelRecordFormula::GetArrayLastColumn() const {
    return Attached().arrayRecord.ReadU8(biff8::kRange6LastColumn);
}

std::u16string CExcelRecordFormula::GetFormulaText(const CExcelFormulaWorkbook* workbook,
                                                   const CExcelSheetFormulas* worksheet) const {
    return DecodeOnce(workbook, worksheet).Text();
}

bool CExcelRecordFormula::HasFormulaText(const CExcelFormulaWorkbook* workbook,
                                         const CExcelSheetFormulas* worksheet) const {
    return DecodeOnce(workbook, worksheet).length != 0;
}

bool CExcelRecordFormula::IsFormulaSound(const CExcelFormulaWorkbook* workbook,
                                         const CExcelSheetFormulas* worksheet) const {
    return DecodeOnce(workbook, worksheet).sound;
}

EFormulaRole CExcelRecordFormula::GetRole(const CExcelFormulaWorkbook*,
                                          const CExcelSheetFormulas* worksheet) const {
    if (const Decoded* kept = KeptDecode()) return kept->role;
    return FindPlace(worksheet).role;
}

const CExcelRecordFormula* CExcelRecordFormula::GetHost(
    const CExcelFormulaWorkbook*, const CExcelSheetFormulas* worksheet) const {
    if (const Decoded* kept = KeptDecode()) return kept->host;
    return FindPlace(worksheet).host;
}

CExcelRecordFormula::Place CExcelRecordFormula::FindPlace(
    const CExcelSheetFormulas* worksheet) const {
    Place place;
    if (m_formulaData.Size() == 0) return place;
    std::uint16_t namedRow = 0;
    std::uint16_t namedColumn = 0;
    if (GetSharedFormulaRecord()) {
        place.role = EFormulaRole::kSharedHost;
    } else if (GetArrayRecord()) {
        place.role = EFormulaRole::kArrayHost;
    } else if (IsLoneExp(namedRow, namedColumn)) {
        place.host = worksheet ? CExcelFormulaHostLookup::Find(*worksheet, m_row, m_column,
                                                               namedRow, namedColumn)
                               : nullptr;
        if (!place.host)
            place.role = EFormulaRole::kOrphan;
        else
            place.role = place.host->GetSharedFormulaRecord() ? EFormulaRole::kSharedMember
                                                              : EFormulaRole::kArrayMember;
    }
    return place;
}

bool CExcelRecordFormula::IsLoneExp(std::uint16_t& namedRow, std::uint16_t& namedColumn) const {
    // The token length field, ptgExp and its cell: nothing else.
    constexpr std::uint32_t kLoneExpSize = biff8::kFormulaLengthSize + 1 + biff8::kPtgExpSize;
    if (m_formulaData.DataLength() < kLoneExpSize) return false;
    if (m_formulaData.ReadU16(0) != 1 + biff8::kPtgExpSize) return false;
    if (m_formulaData.ReadU8(biff8::kFormulaLengthSize) != biff8::kPtgExp) return false;
    namedRow = m_formulaData.ReadU16(biff8::kFormulaLengthSize + 1);
    namedColumn = m_formulaData.ReadU16(biff8::kFormulaLengthSize + 3);
    return true;
}

const CExcelRecordFormula::Decoded& CExcelRecordFormula::DecodeOnce(
    const CExcelFormulaWorkbook* workbook, const CExcelSheetFormulas* worksheet) const {
    if (const Decoded* kept = KeptDecode()) return *kept;
    Decoded found;
    const auto keep = [&](std::u16string_view text) -> const Decoded& {
        DecodedPtr made(Decoded::Make(text));
        made->host = found.host;
        made->role = found.role;
        made->sound = found.sound;
        const Decoded& kept = *made;
        KeepDecode(std::move(made));
        return kept;
    };
    // A record of only its fixed bytes has no token length field to start
    // from: no formula, and nothing the save could write as one.
    if (m_formulaData.Size() == 0) return keep({});
    const Place place = FindPlace(worksheet);
    found.role = place.role;
    found.host = place.host;
    if (place.role == EFormulaRole::kOrphan) return keep({});
    // A member decodes its host's tokens: the shared formula's, or else the
    // array's.
    const CByteBuffer* shared =
        place.host ? place.host->GetSharedFormulaRecord() : GetSharedFormulaRecord();
    const CByteBuffer* array =
        place.host ? (shared ? nullptr : place.host->GetArrayRecord()) : GetArrayRecord();
    CExcelFormulaParser parser;
    const std::u16string text = parser.Decode(m_formulaData.Data(), m_formulaData.DataLength(),
                                              m_row, m_column, workbook, worksheet, shared, array);
    found.sound = parser.IsSound();
    return keep(text);
}

std::uint8_t CExcelRecordFormula::ResultByte(std::uint32_t offset) const {
    if (m_hasStringResult) return Attached().stringResult.ReadU8(offset);
    return offset < kResultSize ? m_result[offset] : 0;
}

std::u16string CExcelRecordFormula::StringResultText() const {
    // The eight cached bytes of a string result hold no text of their own.
    if (!m_hasStringResult) return {};
    const CByteBuffer& result = Attached().stringResult;
    const std::uint32_t length = result.DataLength();
    std::u16string text;
    const std::uint32_t count = result.ReadU16(kStringCount);
    if (result.ReadU8(kStringFlags) & kStringWide) {
        // The count is not trusted past the bytes present: a cut STRING
        // record still gives what it holds.
        for (std::uint32_t i = 0; i < count && kStringChars + 2 * i + 2 <= length; ++i)
            text.push_back(static_cast<char16_t>(result.ReadU16(kStringChars + 2 * i)));
    } else {
        for (std::uint32_t i = 0; i < count && kStringChars + i < length; ++i)
            text.push_back(static_cast<char16_t>(result.ReadU8(kStringChars + i)));
    }
    return text;
}

std::u16string CExcelRecordFormula::GetValueText(const CExcelWorkbookGlobals* workbook) const {
    switch (GetResultType()) {
        case FormulaResultString:
            return StringResultText();
        case FormulaResultBoolean:
            return ResultByte(kResultValue) ? u"TRUE" : u"FALSE";
        case FormulaResultError:
            return CConstData::GetErrorText(ResultByte(kResultValue));
        case FormulaResultEmpty:
            return {};
        case FormulaResultNumber:
            break;
    }
    if (!workbook) return CPrintfText::Of("%G", GetNumber());
    return CExcelNumberFormatManager().Render(GetNumber(), GetFormatIndex(*workbook));
}

std::uint16_t CExcelRecordFormula::GetFormatIndex(const CExcelWorkbookGlobals& workbook) const {
    return CExcelCellNumberFormat::GetFormatIndex(workbook, m_xf);
}

std::u16string CExcelRecordFormula::GetNumberFormatText(
    const CExcelWorkbookGlobals& workbook) const {
    return CExcelFormatText::Lookup(workbook, GetFormatIndex(workbook));
}

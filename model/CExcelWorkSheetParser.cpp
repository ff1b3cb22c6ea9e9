#include "model/CExcelWorkSheetParser.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <limits>
#include <utility>
#include <vector>

#include "biff/BiffRecordIds.h"
#include "biff/CByteBuffer.h"
#include "biff/CRecordChain.h"
#include "formula/CExcelFormulaRecordReader.h"
#include "formula/CExcelRecordFormula.h"
#include "model/CExcelData.h"
#include "model/CExcelWorkBook.h"
#include "model/CExcelWorkSheet.h"
#include "model/CSheetBofRecovery.h"
#include "platform/ProgressTarget.h"
#include "platform/RepairStopCheck.h"
#include "platform/RunState.h"
#include "records/CExcelCellRecordDecoders.h"
#include "records/CExcelCommentReader.h"
#include "records/CExcelRecordCONDFMT.h"
#include "records/CExcelRecordDV.h"
#include "records/CExcelRecordHLINK.h"
#include "records/CellRecordLayout.h"

namespace {

// The records of one or more cells, each starting with the row and the
// (first) column.
bool IsCellRecord(std::uint16_t type) {
    switch (type) {
        case biff::kNUMBER:
        case biff::kRK:
        case biff::kLABELSST:
        case biff::kLABEL:
        case biff::kBOOLERR:
        case biff::kBLANK:
        case biff::kMULBLANK:
        case biff::kMULRK:
        case biff::kFORMULA:
        case biff::kRSTRING:
            return true;
        default:
            return false;
    }
}

using Handler = bool (*)(IExcelStreamReader& reader, CExcelWorkSheet& sheet, std::uint32_t size,
                         std::uint32_t position);

// The readers below the model each take the part of the sheet they fill
// (its cell-level records or its formula records); a route hands them the
// whole sheet.
template <auto Read>
bool Through(IExcelStreamReader& reader, CExcelWorkSheet& sheet, std::uint32_t size,
             std::uint32_t position) {
    return Read(reader, sheet, size, position);
}

constexpr std::uint32_t kNoOffset = std::numeric_limits<std::uint32_t>::max();

struct Route {
    std::uint16_t type;
    Handler handle;
};

// Records handled here rather than by the cell-record table, sorted by
// type. EOF is not in it: it changes the walk itself, not the sheet. The
// FORMULA reader looks at the records right after it for its SHRFMLA,
// ARRAY and STRING companions, the CONDFMT reader at its CF records and
// the HLINK reader at its QUICKTIP; the walk still steps onto each of them,
// and none but QUICKTIP (kept whole by the cell-record table) is decoded
// on its own. The OBJ reader likewise takes a comment's TXO record and the
// CONTINUE records of its text from after the OBJ.
constexpr Route kRoutes[] = {
    {biff::kFORMULA, Through<CExcelFormulaRecordReader::ReadFormula>},
    {biff::kNOTE, Through<CExcelCommentReader::ReadNote>},
    {biff::kOBJ, Through<CExcelCommentReader::ReadObj>},
    {biff::kCONDFMT, Through<CExcelRecordCONDFMT::Read>},
    {biff::kHLINK, Through<CExcelRecordHLINK::Read>},
    {biff::kDV, Through<CExcelRecordDV::Read>},
    {biff::kTABLE, Through<CExcelFormulaRecordReader::ReadTable>},
    {biff::kFORMULA_BIFF4, Through<CExcelFormulaRecordReader::ReadFormula>},
};

// Where the value of a cell record ends in its body: the bytes a zeroed
// run must not reach for the cell to be kept. 0: the whole body is the
// value (strings, a MULRK's run of numbers and its last column).
struct ValueField {
    std::uint16_t type;
    std::uint32_t end;
};

constexpr ValueField kValueFields[] = {
    {biff::kFORMULA, 14},        // row, column, XF, cached result
    {biff::kMULRK, 0},           //
    {biff::kRSTRING, 0},         //
    {biff::kLABELSST, 10},       // row, column, XF, string index
    {biff::kNUMBER, 14},         // row, column, XF, double
    {biff::kLABEL, 0},           //
    {biff::kBOOLERR, 8},         // row, column, XF, value, error flag
    {biff::kRK, 10},             // row, column, XF, RK number
    {biff::kFORMULA_BIFF4, 14},  //
};

const ValueField* FindValueField(std::uint16_t type) {
    for (const ValueField& field : kValueFields)
        if (field.type == type) return &field;
    return nullptr;
}

Handler FindRoute(std::uint16_t type) {
    for (const Route& route : kRoutes)
        if (route.type == type) return route.handle;
    return nullptr;
}

// Whether a record of this type, met inside a chart substream, shows that
// the chart's EOF was lost (damage) and the sheet's own records go on. A
// chart's series cache is made of NUMBER, LABEL, BOOLERR and BLANK records
// only, and its drawing objects (text boxes, pictures) of OBJ records; any
// other record that the sheet decodes belongs to the sheet.
bool LeavesChart(std::uint16_t type) {
    if (type == biff::kNUMBER || type == biff::kLABEL || type == biff::kBOOLERR ||
        type == biff::kBLANK || type == biff::kOBJ)
        return false;
    return FindRoute(type) || CExcelCellRecordDecoders::Find(type);
}

// The record types that only chart substreams hold (UNITS through the
// last chart record of BIFF8).
constexpr std::uint16_t kFirstChartRecord = 0x1001;
constexpr std::uint16_t kLastChartRecord = 0x10FF;

}  // namespace

CExcelWorkSheetParser::CExcelWorkSheetParser() : m_window(kWindowSize) {}

CExcelWorkSheetParser::~CExcelWorkSheetParser() = default;

bool CExcelWorkSheetParser::Run() {
    if (RepairStopRequested() || !m_data) return false;
    bool parsed = true;
    for (CExcelWorkBook& workbook : m_data->GetWorkbooks()) {
        if (workbook.GetWorksheets().GetCount() == 0) continue;
        parsed = ParseWorkbook(workbook);
        if (!parsed) break;
    }
    m_file.Close();
    EmptyWindow();
    return parsed && !RepairStopRequested();
}

bool CExcelWorkSheetParser::ParseWorkbook(CExcelWorkBook& workbook) {
    if (!m_file.IsOpen()) m_file.Open(m_streamFileName, m_data->AccessFor(m_streamFileName));
    // Offsets are 32-bit throughout the model; a longer file is walked up to
    // the last offset they can name.
    const auto length = static_cast<std::uint32_t>(
        std::min<std::uint64_t>(m_file.Length(), std::numeric_limits<std::uint32_t>::max()));
    ProgressTarget* progress = m_data->GetProgressWindow();
    if (progress) {
        progress->SetRange(0, length);
        progress->SetPosition(1);
    }
    if (length == 0) return false;
    // Damaged BOUNDSHEET positions (two swapped, one moved onto another
    // substream) leave the list out of file order: a stretch ends where the
    // nearest sheet after it in the file starts, not where the next sheet of
    // the list does, so that no sheet reads another's records. Of sheets
    // sharing a start, the last in the list reads the stretch.
    std::vector<std::pair<std::uint32_t, std::size_t>> starts;  // start, list index
    for (const CExcelWorkSheet& sheet : workbook.GetWorksheets())
        starts.emplace_back(sheet.GetStart(), starts.size());
    std::sort(starts.begin(), starts.end());
    std::size_t index = 0;
    for (CExcelWorkSheet& sheet : workbook.GetWorksheets()) {
        if (RepairStopRequested()) return false;
        const std::uint32_t start = sheet.GetStart();
        // A BOUNDSHEET position past the file's end (damage) would make the
        // sheet before it walk the missing bytes one failed window at a
        // time; its stretch ends with the file instead.
        m_end = NextWorkbookStart(start, length);
        const auto after =
            std::upper_bound(starts.begin(), starts.end(),
                             std::make_pair(start, std::numeric_limits<std::size_t>::max()));
        if (after != starts.end()) m_end = std::min(m_end, after->first);
        if (std::prev(after)->second != index) m_end = start;
        m_position = start;
        ++index;
        const bool parsed = ParseSheet(sheet);
        sheet.ReleaseSpare();
        sheet.GetFormulas().ReleaseSpare();
        if (!parsed) return false;
    }
    RepairProgress.store(length);
    if (progress) progress->SetPosition(length);
    return true;
}

std::uint32_t CExcelWorkSheetParser::NextWorkbookStart(std::uint32_t start,
                                                       std::uint32_t length) const {
    std::uint32_t limit = length;
    for (const CExcelWorkBook& workbook : m_data->GetWorkbooks()) {
        if (workbook.GetStart() > start) limit = std::min(limit, workbook.GetStart());
    }
    return limit;
}

bool CExcelWorkSheetParser::ParseSheet(CExcelWorkSheet& sheet) {
    if (RepairStopRequested()) return false;
    EmptyWindow();
    m_substream = sheet.GetStart();
    m_inZeroRun = false;
    m_zeroRunAfterEnd = false;
    m_lastRow.reset();
    m_heldDamage.clear();
    m_noChainBefore = 0;
    bool endSeen = false;
    // Chart substreams (embedded in the sheet, or chart sheets that lie
    // between it and the next worksheet) carry a cache of their series as
    // NUMBER and LABEL records whose rows and columns are points and series,
    // not cells of the sheet; taken as cells they would land on, and
    // overwrite, the sheet's own. Their records are stepped over up to the
    // chart's EOF: this counts the substreams open from the chart's BOF on.
    // A worksheet record inside the chart ends it early (its EOF was lost).
    std::uint32_t chartDepth = 0;
    // Each pass moves the position on by at least 4 bytes, and once it has
    // reached the end the next header read gives the EOF that ends the walk.
    for (;;) {
        if (RepairStopRequested()) return false;
        const bool tail = m_position >= m_end || m_end - m_position < biff::kRecordHeaderSize;
        Header header = ReadHeader();
        // Only a progress bar reads it: no ordering with the walk's other
        // writes is needed, and a full fence per record costs.
        RepairProgress.store(m_position, std::memory_order_relaxed);
        // No record has type 0: zero bytes where records belong are damage
        // (a zeroed sector), walked 4 bytes at a time and reported as one
        // range. Zero bytes from the sheet's EOF to the end of the stretch
        // are the stream's slack in its last sector, not damage.
        if (tail && m_zeroRunAfterEnd) {
            m_inZeroRun = false;
        } else if (!tail && header.type == 0 && header.size == 0) {
            const bool opens = !m_inZeroRun;
            if (opens) {
                m_zeroRunStart = m_position;
                m_zeroRunAfterEnd = endSeen;
            }
            m_inZeroRun = true;
            // The zeros took the framing with them: 4-byte steps would land
            // anywhere in the remains of the record they cut, and read its
            // bytes as headers. The walk goes on where sound records start.
            if (const std::optional<std::uint32_t> resume =
                    opens ? ResumeAfterZeros(m_position) : std::nullopt) {
                CloseZeroRun(*resume);
                m_position = *resume;
                // The zeros may have taken an embedded chart's BOF: its series
                // cache goes on after them and is no cell of the sheet.
                if (chartDepth == 0 && ChartRecordsAhead()) chartDepth = 1;
                continue;
            }
        } else {
            CloseZeroRun(m_position);
        }
        // A zeroed run that began inside this header, after its type, left a
        // length of 0 that the type cannot have, and a body of zeros: kept
        // at the length a resynchronisation finds, it would be a cell of
        // zeros. The walk goes on where the zeros end, as above.
        if (!tail && header.type != 0 && header.size == 0 &&
            CRecordChain::IsWrongLength(header.type, 0)) {
            if (const std::optional<std::uint32_t> resume =
                    ResumeAfterZeros(m_position + biff::kLengthOffset)) {
                NoteDamage(m_position, *resume, ESkipReason::ZeroedBytes);
                m_position = *resume;
                if (chartDepth == 0 && ChartRecordsAhead()) chartDepth = 1;
                continue;
            }
        }
        // A length the record cannot have, unless sound records follow where
        // it says the record ends: find the framing again. When the record
        // fits exactly up to there, only its length was damaged and it is
        // kept; otherwise everything up to there is skipped. Without a sound
        // chain ahead, the walk goes on by the declared length as far as a
        // body can go.
        std::optional<std::uint32_t> resumeAt;
        bool dispatch = true;
        if (!tail && CRecordChain::IsWrongLength(header.type, header.size) &&
            (header.size > biff::kMaxBodyLength || !FramingHolds(header))) {
            resumeAt = Resynchronise();
            const std::uint32_t found =
                resumeAt ? *resumeAt - m_position - biff::kRecordHeaderSize : 0;
            if (resumeAt && CRecordChain::IsSoundHeader(header.type, found)) {
                header.size = found;
                NoteDamage(m_position, m_position + biff::kRecordHeaderSize,
                           ESkipReason::OversizedRecord);
            } else {
                dispatch = !resumeAt;
                NoteDamage(m_position, resumeAt.value_or(m_position + biff::kRecordHeaderSize),
                           ESkipReason::OversizedRecord);
            }
        }
        if (!dispatch) {
            // Not a record of its own: the bytes up to resumeAt are skipped.
        } else if (header.type == biff::kEOF) {
            // Other sizes: not an EOF record but damage that looks like one.
            if (header.size == 0) {
                endSeen = true;
                if (chartDepth > 0) --chartDepth;
            }
        } else if (header.type == biff::kBOF) {
            if (chartDepth > 0 || IsChartBof(header)) ++chartDepth;
        } else if (chartDepth == 0 || LeavesChart(header.type)) {
            chartDepth = 0;
            if (ColumnPastSheet(header)) {
                // Dropped as a decoder drops a record it refuses.
            } else if (ValueCutByZeros(header)) {
                // A zeroed run that began inside the value took some of its
                // bytes: what is left would be a value the file never held.
                NoteDamage(m_position, m_position + biff::kRecordHeaderSize + header.size,
                           ESkipReason::ZeroedBytes);
            } else {
                Dispatch(header, sheet);
                NoteCellRow(header.type);
            }
        }
        // The decoder has seen the declared size; the walk trusts it only as
        // far as a sound body can go, or as far as the framing resumes.
        const std::uint32_t body = resumeAt ? *resumeAt - m_position - biff::kRecordHeaderSize
                                   : header.size > biff::kMaxBodyLength ? 0
                                                                        : header.size;
        const std::uint64_t next =
            static_cast<std::uint64_t>(m_position) + biff::kRecordHeaderSize + body;
        m_position = static_cast<std::uint32_t>(std::min<std::uint64_t>(next, kNoOffset));
        if (m_position >= m_end && endSeen) {
            if (m_zeroRunAfterEnd) m_inZeroRun = false;  // slack, as above
            CloseZeroRun(std::min(m_position, m_end));
            FlushDamage(std::nullopt);
            return true;
        }
    }
}

void CExcelWorkSheetParser::NoteDamage(std::uint32_t begin, std::uint32_t end, ESkipReason kind) {
    CDamagedRange range;
    range.begin = begin;
    range.end = end;
    range.kind = kind;
    range.substream = m_substream;
    range.rowBefore = m_lastRow;
    // Held ranges wait only for the next cell; a sheet of nothing but
    // damage reports them as they come rather than holding them all.
    if (m_heldDamage.size() >= 64) FlushDamage(std::nullopt);
    m_heldDamage.push_back(range);
}

void CExcelWorkSheetParser::CloseZeroRun(std::uint32_t end) {
    if (!m_inZeroRun) return;
    m_inZeroRun = false;
    // A single zero header may be the tail of a record body that was cut;
    // a sector's worth is not.
    if (end - m_zeroRunStart >= 2 * biff::kRecordHeaderSize)
        NoteDamage(m_zeroRunStart, end, ESkipReason::ZeroedBytes);
}

void CExcelWorkSheetParser::FlushDamage(std::optional<std::uint16_t> rowAfter) {
    if (m_heldDamage.empty() || m_data == nullptr) {
        m_heldDamage.clear();
        return;
    }
    for (CDamagedRange& range : m_heldDamage) {
        range.rowAfter = rowAfter;
        m_data->GetDamageLog().Skipped(range);
    }
    m_heldDamage.clear();
}

void CExcelWorkSheetParser::NoteCellRow(std::uint16_t type) {
    if (!IsCellRecord(type) && type != biff::kROW) return;
    const std::uint64_t at = static_cast<std::uint64_t>(m_position) + biff::kRecordHeaderSize;
    const std::uint8_t* row = at > kNoOffset ? nullptr : Peek(2, static_cast<std::uint32_t>(at));
    if (!row) return;
    const std::uint16_t value = CDataReader::GetU16(row);
    if (!m_heldDamage.empty()) FlushDamage(value);
    m_lastRow = value;
}

void CExcelWorkSheetParser::Dispatch(const Header& header, CExcelWorkSheet& sheet) {
    // A record that its decoder refuses is dropped; the walk goes on by its
    // declared size all the same.
    if (const Handler handle = FindRoute(header.type))
        handle(*this, sheet, header.size, m_position);
    else if (CExcelSheetLayout::Takes(header.type))
        sheet.GetLayout().Decode(header.type, *this, header.size, m_position);
    else
        CExcelCellRecordDecoders::Decode(header.type, *this, sheet, header.size, m_position);
}

bool CExcelWorkSheetParser::IsChartBof(const Header& header) {
    constexpr std::uint32_t kTypeInBody = biff::kBofSubstreamTypeOffset - biff::kRecordHeaderSize;
    std::uint8_t type[2];
    if (header.size < kTypeInBody + sizeof type) return false;
    const std::uint64_t at = static_cast<std::uint64_t>(m_position) + biff::kBofSubstreamTypeOffset;
    if (at > kNoOffset || !Read(sizeof type, static_cast<std::uint32_t>(at), type) ||
        CDataReader::GetU16(type) != biff::kSubstreamChart)
        return false;
    // A chart opens with HEADER or a chart record, never with a record that
    // opens a worksheet: such a BOF is a worksheet's whose type was damaged.
    const std::uint64_t after =
        static_cast<std::uint64_t>(m_position) + biff::kRecordHeaderSize + header.size;
    std::uint8_t next[2];
    return after > kNoOffset || !Read(sizeof next, static_cast<std::uint32_t>(after), next) ||
           !CSheetBofRecovery::OpensWorksheet(CDataReader::GetU16(next));
}

bool CExcelWorkSheetParser::FramingHolds(const Header& header) {
    const std::uint64_t next =
        static_cast<std::uint64_t>(m_position) + biff::kRecordHeaderSize + header.size;
    if (next >= m_end) return next == m_end;
    return CRecordChain::KnownHeaderAt(*this, static_cast<std::uint32_t>(next), m_end);
}

std::optional<std::uint32_t> CExcelWorkSheetParser::Resynchronise() {
    // The header lies wholly inside the stretch, so its end does too.
    const std::uint32_t from = m_position + biff::kRecordHeaderSize;
    const std::uint32_t last = from + std::min(biff::kMaxBodyLength, m_end - from);
    const std::optional<std::uint32_t> start =
        CRecordChain::FindStart(*this, std::max(from, m_noChainBefore), last, m_end);
    // Offsets that start no chain need not be tried again by a later search:
    // a stretch of random bytes is searched once, not once per header in it.
    if (!start) m_noChainBefore = last + 1;
    return start;
}

bool CExcelWorkSheetParser::ColumnPastSheet(const Header& header) {
    if (!IsCellRecord(header.type) || header.size < biff8::kCellColumn + 2) return false;
    const std::uint64_t at =
        static_cast<std::uint64_t>(m_position) + biff::kRecordHeaderSize + biff8::kCellColumn;
    const std::uint8_t* column = at > kNoOffset ? nullptr : Peek(2, static_cast<std::uint32_t>(at));
    return column && CDataReader::GetU16(column) > biff8::kLastColumn;
}

bool CExcelWorkSheetParser::ValueCutByZeros(const Header& header) {
    const ValueField* field = FindValueField(header.type);
    if (field == nullptr || header.size == 0 || header.size > biff::kMaxBodyLength) return false;
    const std::uint64_t body = static_cast<std::uint64_t>(m_position) + biff::kRecordHeaderSize;
    const std::uint64_t end = body + header.size;
    if (end + biff::kRecordHeaderSize > m_end) return false;
    const std::uint32_t valueEnd =
        field->end == 0 ? header.size : std::min(field->end, header.size);
    const auto from = static_cast<std::uint32_t>(body + valueEnd - 1);
    const auto count = static_cast<std::uint32_t>(end - from) + biff::kRecordHeaderSize;
    const std::uint8_t* bytes = Peek(count, from);
    // From the value's last byte through the header after the record: the
    // zeros go on past the record and reach back into the value.
    return bytes && std::all_of(bytes, bytes + count, [](std::uint8_t b) { return b == 0; });
}

bool CExcelWorkSheetParser::ChartRecordsAhead() {
    // A chart's series cache is a few records per point; a record of the
    // chart's own comes within a few dozen of them.
    constexpr int kLookahead = 64;
    std::uint64_t at = m_position;
    for (int i = 0; i < kLookahead; ++i) {
        std::uint8_t bytes[biff::kRecordHeaderSize];
        if (at > m_end || m_end - at < sizeof bytes ||
            !Read(sizeof bytes, static_cast<std::uint32_t>(at), bytes))
            return false;
        const std::uint16_t type = CDataReader::GetU16(bytes + biff::kTypeOffset);
        const std::uint16_t size = CDataReader::GetU16(bytes + biff::kLengthOffset);
        if (type >= kFirstChartRecord && type <= kLastChartRecord) return true;
        if (type == biff::kEOF || type == biff::kBOF || LeavesChart(type) ||
            size > biff::kMaxBodyLength)
            return false;
        at += biff::kRecordHeaderSize + size;
    }
    return false;
}

std::optional<std::uint32_t> CExcelWorkSheetParser::ResumeAfterZeros(std::uint32_t from) {
    const std::optional<std::uint32_t> first = CRecordChain::EndOfZeros(*this, from, m_end);
    // A single zero header may be the tail of a record body that was cut.
    if (!first || *first - from < 2 * biff::kRecordHeaderSize) return std::nullopt;
    // At least 8 zero bytes lie from `from`, so *first - 1 lies after the
    // header at m_position.
    const std::uint32_t last = *first + std::min(biff::kMaxBodyLength, m_end - *first);
    const std::optional<std::uint32_t> start =
        CRecordChain::FindStart(*this, std::max(*first - 1, m_noChainBefore), last, m_end);
    if (!start) m_noChainBefore = last + 1;
    return start;
}

CExcelWorkSheetParser::Header CExcelWorkSheetParser::ReadHeader() {
    constexpr Header kEnd{biff::kEOF, 0};
    if (m_position >= m_end || m_end - m_position < biff::kRecordHeaderSize) return kEnd;
    const std::uint8_t* bytes = Peek(biff::kRecordHeaderSize, m_position);
    if (!bytes) {
        // The header lies inside the stretch, so only the file can have
        // refused it. Give up the window that could not be read and go on
        // after it, as after an EOF.
        const std::uint32_t from = m_position;
        m_position += std::min(kWindowSize, m_end - m_position);
        NoteDamage(from, m_position, ESkipReason::UnreadableBytes);
        return kEnd;
    }
    return {CDataReader::GetU16(bytes + biff::kTypeOffset),
            CDataReader::GetU16(bytes + biff::kLengthOffset)};
}

bool CExcelWorkSheetParser::Read(std::uint32_t count, std::uint32_t offset, std::uint8_t* out) {
    if (count == 0) return offset <= m_end;
    const std::uint8_t* bytes = Peek(count, offset);
    if (!bytes) return false;
    std::memcpy(out, bytes, count);
    return true;
}

const std::uint8_t* CExcelWorkSheetParser::Peek(std::uint32_t count, std::uint32_t offset) {
    if (offset > m_end || m_end - offset < count) return nullptr;
    const bool inWindow = offset >= m_windowStart && offset - m_windowStart <= m_windowLength &&
                          m_windowLength - (offset - m_windowStart) >= count;
    if (!inWindow && !Refill(offset, count)) return nullptr;
    return m_window.data() + (offset - m_windowStart);
}

bool CExcelWorkSheetParser::Refill(std::uint32_t offset, std::uint32_t count) {
    const std::uint32_t wanted = std::min(kWindowSize, m_end - offset);
    if (wanted < count) return false;
    EmptyWindow();
    m_windowStart = offset;
    m_windowLength = static_cast<std::uint32_t>(
        std::min<std::size_t>(ReadFile(offset, m_window.data(), wanted), wanted));
    return m_windowLength >= count;
}

std::size_t CExcelWorkSheetParser::ReadFile(std::uint64_t offset, std::uint8_t* out,
                                            std::size_t n) {
    return m_file.ReadAt(offset, out, n);
}

#include "records/CExcelSSTDecoder.h"

#include <memory>

#include "biff/CExcelContinueRecordOffset.h"
#include "biff/CExcelRawRecordData.h"
#include "platform/RunState.h"
#include "records/CExcelSSTDataList.h"
#include "records/RecordLayout.h"

namespace {

// Reads one long-form string at the cursor. Null when its header (count,
// flags and the run count and extension size the flags announce) is cut by
// the end of the data: no string begins there.
std::unique_ptr<CExcelSSTData> ReadString(CExcelSSTCursor& cursor) {
    const std::uint16_t count = cursor.ReadU16();
    const std::uint8_t flags = cursor.ReadU8();
    const bool rich = flags & biff8::kStringRichText;
    const bool farEast = flags & biff8::kStringFarEast;
    const std::uint16_t runs = rich ? cursor.ReadU16() : 0;
    const std::uint32_t extension = farEast ? cursor.ReadU32() : 0;
    if (cursor.IsExhausted()) return nullptr;

    auto entry = std::make_unique<CExcelSSTData>();
    entry->SetFlags(rich, farEast);
    entry->SetText(cursor.ReadChars(count, flags & biff8::kStringWide));
    for (std::uint32_t i = 0; i < runs; ++i) {
        std::uint8_t run[biff8::kRunSize];
        // Runs cut by the end of the data are lost; the text is kept.
        if (!cursor.ReadRun(run)) break;
        entry->AddRun(new CFormatingRuns(run));
    }
    entry->SetExtensionOffset(cursor.GetNormalisedPosition());
    // The far-east block is never interpreted; its declared size only says
    // where the next string begins.
    cursor.SkipData(extension);
    return entry;
}

}  // namespace

std::uint32_t CExcelSSTDecoder::DecodeBytes(
    const std::uint8_t* bytes, std::uint32_t size,
    const std::vector<CExcelSSTCursor::Boundary>& boundaries, CExcelSSTDataList& list) {
    CExcelSSTCursor cursor(bytes, size, boundaries);
    cursor.SkipData(biff8::kSstTotalOffset);
    const std::uint32_t total = cursor.ReadU32();
    const std::uint32_t unique = cursor.ReadU32();
    RepairCounters[CounterTextCells].fetch_add(total);

    // cstUnique is only an upper bound: every string takes at least its
    // 3-byte header, so the walk also ends with the data.
    for (std::uint32_t s = 0; s < unique && cursor.HasData(); ++s) {
        std::unique_ptr<CExcelSSTData> entry = ReadString(cursor);
        if (!entry) break;
        list.Add(std::move(entry));
        if (cursor.IsExhausted()) break;
    }
    return cursor.GetBoundariesUsed();
}

void CExcelSSTDecoder::Decode(CExcelRawRecordData& record, CExcelSSTDataList& list,
                              CExcelContinueRecordOffsetList& continues) {
    if (!record.Load()) return;
    std::vector<CExcelSSTCursor::Boundary> boundaries;
    boundaries.reserve(continues.GetCount());
    for (const CExcelContinueRecordOffset* entry = continues.GetHead(); entry;
         entry = entry->GetNext())
        boundaries.push_back({entry->GetOffset(), entry->GetFlag()});

    const std::uint32_t used =
        DecodeBytes(record.GetLoadedBytes(), record.GetSize(), boundaries, list);
    record.FreeLoaded();

    // The boundaries the walk passed are consumed; those past the last string
    // read stay in the list.
    for (std::uint32_t i = 0; i < used && continues.GetHead(); ++i)
        continues.Remove(continues.GetHead());
}

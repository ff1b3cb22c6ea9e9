#include "server/CXlsDrawingGroupWriter.h"

#include <iterator>

#include "server/CBiffContinuedRecord.h"
#include "server/CXlsDrawingRecord.h"

using namespace xlsd;

namespace {

struct Option {
    std::uint16_t id;
    std::uint32_t value;
};

// What a shape without options of its own shows, as the spreadsheet writes
// it: text margins from the text, the default fill and line colours.
constexpr Option kDefaultOptions[] = {
    {kPropTextBooleans, kTextAutoMargins},
    {kPropFillColor, kColorDefaultFill},
    {kPropLineColor, kColorDefaultLine},
};

constexpr std::uint32_t kOptionsSize =
    kHeaderSize + kPropertySize * static_cast<std::uint32_t>(std::size(kDefaultOptions));
constexpr std::uint32_t kSplitColorsSize =
    kHeaderSize + 4 * static_cast<std::uint32_t>(std::size(kSplitColorValues));

}  // namespace

bool CXlsDrawingGroupWriter::Write(CBiffRecordWriter& out) const {
    if (m_plan.Empty()) return true;
    const auto clusters = static_cast<std::uint32_t>(m_plan.Clusters().size());
    const std::uint32_t dggSize = kDggFixedSize + kClusterEntrySize * clusters;
    const std::uint32_t containerSize = kHeaderSize + dggSize + kOptionsSize + kSplitColorsSize;

    // Each piece is reserved whole; the drawing data may break between
    // pieces at a CONTINUE boundary, as it may anywhere.
    CBiffContinuedRecord record(out, xlsw::kMSODRAWINGGROUP);
    if (!record.Reserve(2 * kHeaderSize + kDggFixedSize)) return false;
    CXlsDrawingRecord::Container(record.Current(), kDggContainer, containerSize);
    CXlsDrawingRecord::Header(record.Current(), 0, 0, kDgg, dggSize);
    record.Current()
        .U32(m_plan.NextShapeId())
        .U32(clusters + 1)
        .U32(m_plan.ShapesSaved())
        .U32(m_plan.DrawingsSaved());
    for (const CXlsDrawingPlan::Cluster& cluster : m_plan.Clusters()) {
        if (!record.Reserve(kClusterEntrySize)) return false;
        record.Current().U32(cluster.drawingId).U32(cluster.used);
    }

    if (!record.Reserve(kOptionsSize + kSplitColorsSize)) return false;
    CXlsDrawingRecord::Header(record.Current(), kOptVersion,
                              static_cast<std::uint16_t>(std::size(kDefaultOptions)), kOpt,
                              kOptionsSize - kHeaderSize);
    for (const Option& option : kDefaultOptions)
        CXlsDrawingRecord::Property(record.Current(), option.id, option.value);
    CXlsDrawingRecord::Header(record.Current(), 0,
                              static_cast<std::uint16_t>(std::size(kSplitColorValues)),
                              kSplitColors, kSplitColorsSize - kHeaderSize);
    for (const std::uint32_t color : kSplitColorValues) record.Current().U32(color);
    return record.Finish();
}

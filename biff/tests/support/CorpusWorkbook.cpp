#include "biff/tests/support/CorpusWorkbook.h"

#include "compound/CDataContainerOle.h"
#include "compound/CInterfaceOle.h"
#include "compound/CompoundFormat.h"
#include "model/CExcelData.h"
#include "model/CExcelProcessData.h"
#include "model/CExcelScanFile.h"
#include "model/CExcelWorkSheetParser.h"

namespace corpus {

namespace fs = std::filesystem;

fs::path ExtractWorkbook(const fs::path& file, const fs::path& folder,
                         const std::function<void(const CInterfaceOle&)>& inspect) {
    CInterfaceOle ole;
    ole.SetFileNameSrc(file);
    ole.ParseFile();
    if (ole.GetParseError() != 0) return {};
    if (inspect) inspect(ole);
    const fs::path target = folder / (file.filename().string() + ".tmp");
    if (ole.CopyWorkbook(target) == 0) return target;
    // A copy with skipped sectors is no use to anyone.
    std::error_code ec;
    fs::remove(target, ec);
    return {};
}

namespace {

std::uint32_t U32At(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0] | (p[1] << 8) | (p[2] << 16)) |
           (static_cast<std::uint32_t>(p[3]) << 24);
}

bool NamedWorkbook(const COleDirectoryEntry& entry) {
    const std::u16string name = u"workbook";
    for (std::size_t i = 0; i <= name.size(); ++i) {
        const std::uint8_t* p = entry.Data() + CompoundFormat::kEntryNameOffset + 2 * i;
        char16_t unit = static_cast<char16_t>(p[0] | (p[1] << 8));
        if (unit >= u'A' && unit <= u'Z') unit = static_cast<char16_t>(unit - u'A' + u'a');
        if (unit != (i < name.size() ? name[i] : u'\0')) return false;
    }
    return true;
}

}  // namespace

std::optional<WorkbookPlacement> PlaceWorkbook(const CInterfaceOle& ole) {
    const CDataContainerOle* container = ole.GetDataContainerOle();
    if (!container || container->GetEntries().empty()) return std::nullopt;
    const std::uint8_t* header = container->GetHeader().Data();
    const std::uint32_t shift = header[CompoundFormat::kSectorShiftOffset];
    const std::uint32_t miniShift = header[CompoundFormat::kMiniSectorShiftOffset];
    if (shift < 7 || shift > 16 || miniShift > shift) return std::nullopt;
    const COleDirectoryEntry& root = container->GetEntries()[0];
    for (const COleDirectoryEntry& entry : container->GetEntries()) {
        if (!NamedWorkbook(entry) || !entry.HasChain()) continue;
        WorkbookPlacement placement;
        placement.chain = &entry.GetChain().Values();
        placement.size = U32At(entry.Data() + CompoundFormat::kEntryStreamSizeOffset);
        placement.inMiniStream =
            placement.size < U32At(header + CompoundFormat::kMiniStreamCutoffOffset);
        if (placement.inMiniStream && !root.HasChain()) return std::nullopt;
        placement.miniStreamChain = &root.GetChain().Values();
        placement.sectorSize = std::uint64_t{1} << shift;
        placement.miniSectorSize = std::uint64_t{1} << miniShift;
        return placement;
    }
    return std::nullopt;
}

std::unique_ptr<CExcelData> ScanWorkbook(const fs::path& source, const fs::path& extracted) {
    auto data = std::make_unique<CExcelData>();
    data->SetSourcePath(source);
    if (!extracted.empty()) data->SetExtractedPath(extracted);
    CExcelScanFile scan(data->GetScanPath());
    if (scan.ScanForSubstreams(data.get())) {
        CExcelProcessData::CreateWorkbooks(data.get());
        scan.BuildWorkbooks(data.get());
    }
    return data;
}

std::unique_ptr<CExcelData> ParseWorkbook(const fs::path& source, const fs::path& extracted,
                                          bool* parsed) {
    std::unique_ptr<CExcelData> data = ScanWorkbook(source, extracted);
    CExcelWorkSheetParser parser;
    parser.SetStreamFileName(data->GetScanPath());
    parser.SetData(data.get());
    const bool ran = parser.Run();
    if (parsed) *parsed = ran;
    return data;
}

}  // namespace corpus

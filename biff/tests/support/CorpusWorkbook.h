// A corpus file through the repair's first steps, each on its own, as the
// corpus tests need them: booklift extracts the "Workbook" stream, the
// globals scan builds the workbooks, the worksheet parser reads the sheets.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CExcelData;
class CInterfaceOle;

namespace corpus {

// Copies file's "Workbook" stream to folder/NAME.tmp when the compound file
// parses cleanly and the copy is whole; returns that path, or an empty one
// (nothing is left behind): the caller then scans the raw file, as the
// repair does. inspect, when given, sees the parsed file before the copy.
std::filesystem::path ExtractWorkbook(
    const std::filesystem::path& file, const std::filesystem::path& folder,
    const std::function<void(const CInterfaceOle&)>& inspect = {});

// Where the stream named "Workbook" in any letter case (three corpus files
// spell it "WORKBOOK") lies in a parsed compound file: its chain of sectors,
// or of mini sectors when it is smaller than the cutoff and so kept in the
// mini stream, whose own chain is the root entry's. The vectors belong to
// the parsed file.
struct WorkbookPlacement {
    const std::vector<std::int32_t>* chain = nullptr;
    std::uint32_t size = 0;  // bytes, from its directory entry
    bool inMiniStream = false;
    const std::vector<std::int32_t>* miniStreamChain = nullptr;
    std::uint64_t sectorSize = 0;
    std::uint64_t miniSectorSize = 0;
};

// None when the file has no such stream with a chain, or its header's
// sector sizes are out of bounds.
std::optional<WorkbookPlacement> PlaceWorkbook(const CInterfaceOle& ole);

// The globals scan of extracted (of source itself when extracted is
// empty); the data owns the extracted copy and deletes it.
std::unique_ptr<CExcelData> ScanWorkbook(const std::filesystem::path& source,
                                         const std::filesystem::path& extracted);

// The scan, then the worksheet parser over every sheet; *parsed, when
// given, tells whether the parser went through every sheet.
std::unique_ptr<CExcelData> ParseWorkbook(const std::filesystem::path& source,
                                          const std::filesystem::path& extracted,
                                          bool* parsed = nullptr);

}  // namespace corpus

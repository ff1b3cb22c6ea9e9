#include "repair/CFilePaser.h"

#include <system_error>

#include "compound/CInterfaceOle.h"
#include "model/CExcelData.h"
#include "model/CExcelProcessData.h"
#include "model/CExcelScanFile.h"
#include "model/CExcelWorkSheetParser.h"
#include "platform/CFileNameManager.h"
#include "repair/RepairStopCheck.h"

namespace {

void RemoveFile(const std::filesystem::path& path) {
    std::error_code ec;
    if (!path.empty() && !std::filesystem::is_directory(path, ec))
        std::filesystem::remove(path, ec);
}

}  // namespace

bool CFilePaser::SetData(CExcelData* data) {
    m_data = data;
    return true;
}

bool CFilePaser::ExtractWorkbook() {
    if (!m_data) return false;
    CInterfaceOle ole;
    ole.SetFileNameSrc(m_data->GetSourcePath());
    // ParseFile's own result is one of the bits GetParseError() holds.
    ole.ParseFile();
    m_parseError = ole.GetParseError();
    // Any damage to the header, the sector tables or the directory means the
    // stream's chain cannot be trusted: the scan reads the damaged file.
    if (m_parseError != 0) return false;
    ole.AnalizeFileStructureOle();
    m_structureFlags = ole.GetStructureFlags();

    const std::filesystem::path name = CFileNameManager::MakeExtractedWorkbookName();
    m_copyResult = ole.CopyWorkbook(name);
    m_parseError = ole.GetParseError();
    if (m_copyResult != 0) {
        // A copy with skipped sectors holds records cut at the gaps; scanning
        // the damaged file finds them whole wherever they survive. The
        // partial copy is nobody's, so it goes now rather than stay behind
        // in the temporary folder.
        RemoveFile(name);
        return true;
    }
    // A data repaired twice would otherwise leave its first copy behind.
    if (m_data->GetExtractedPath() != name) RemoveFile(m_data->GetExtractedPath());
    m_data->SetExtractedPath(name);
    return true;
}

bool CFilePaser::ScanFile() {
    if (!m_data) return false;
    CExcelScanFile scanner(m_data->GetScanPath());
    if (RepairStopRequested()) return false;
    if (!scanner.ScanForSubstreams(m_data)) return false;
    if (RepairStopRequested()) return false;
    CExcelProcessData::CreateWorkbooks(m_data);
    if (RepairStopRequested()) return false;
    scanner.BuildWorkbooks(m_data);
    return !RepairStopRequested();
}

bool CFilePaser::ParseWorksheets() {
    if (!m_data) return false;
    CExcelWorkSheetParser parser;
    if (RepairStopRequested()) return false;
    parser.SetStreamFileName(m_data->GetScanPath());
    parser.SetData(m_data);
    if (RepairStopRequested()) return false;
    // Damage inside a sheet loses cells, not the repair: whatever the parser
    // decoded stays in the model.
    parser.Run();
    return !RepairStopRequested();
}

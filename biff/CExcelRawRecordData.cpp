#include "biff/CExcelRawRecordData.h"

#include <limits>

#include "biff/CByteBuffer.h"
#include "biff/CFileIO.h"
#include "platform/CFileNameManager.h"

void CExcelRawRecordData::MakeSpillFile() {
    const SpillFile spill = CFileNameManager::CreateSpillFile();
    m_id = spill.id;
    m_path = spill.path;
    m_hasFile = spill.created;
}

CExcelRawRecordData::CExcelRawRecordData(const std::uint8_t* bytes, std::uint32_t size) {
    MakeSpillFile();
    if (!m_hasFile || (size > 0 && !bytes)) return;
    // The spill file was just made, empty: appending writes the same bytes
    // as rewriting it would, without truncating a file, which costs a
    // forced flush on some file systems.
    if (size > 0 && !CFileIO::AppendBytes(bytes, size, m_path)) return;
    m_size = size;
    m_type = size >= 2 ? CDataReader::GetU16(bytes) : 0;
}

CExcelRawRecordData::CExcelRawRecordData(const CExcelRawRecordData& other) {
    MakeSpillFile();
    if (!m_hasFile || other.m_size == 0) return;
    if (!CFileIO::AppendWholeFile(other.m_path, m_path)) {
        // A half-written copy must not be taken for the record.
        CFileIO::WriteNewFile(nullptr, m_path, 0);
        return;
    }
    m_size = other.m_size;
    m_type = other.m_type;
}

CExcelRawRecordData::~CExcelRawRecordData() {
    if (m_hasFile) CFileIO::DeleteFileByName(m_path);
}

bool CExcelRawRecordData::Append(const CExcelRawRecordData& other) {
    if (!m_hasFile || &other == this) return false;
    if (other.m_size == 0) return true;
    if (other.m_size > std::numeric_limits<std::uint32_t>::max() - m_size) return false;
    if (!CFileIO::AppendWholeFile(other.m_path, m_path)) return false;
    const bool wasShort = m_size < 2;
    m_size += other.m_size;
    if (wasShort) {
        std::uint8_t head[2] = {};
        m_type = CFileIO::ReadFileRange(head, m_path, 2, 0) ? CDataReader::GetU16(head) : 0;
    }
    return true;
}

bool CExcelRawRecordData::AppendBytes(const std::uint8_t* bytes, std::uint32_t n) {
    if (!m_hasFile) return false;
    if (n == 0) return true;
    if (!bytes || n > std::numeric_limits<std::uint32_t>::max() - m_size) return false;
    if (!CFileIO::AppendBytes(bytes, n, m_path)) return false;
    const bool wasShort = m_size < 2;
    m_size += n;
    if (wasShort) {
        std::uint8_t head[2] = {};
        m_type = CFileIO::ReadFileRange(head, m_path, 2, 0) ? CDataReader::GetU16(head) : 0;
    }
    return true;
}

bool CExcelRawRecordData::Load() {
    m_loaded.clear();
    if (!m_hasFile || m_size == 0) return false;
    if (!CFileIO::ReadWholeFile(m_loaded, m_path)) return false;
    if (m_loaded.size() > std::numeric_limits<std::uint32_t>::max()) {
        m_loaded.clear();
        return false;
    }
    // A decoder may have rewritten the spill file in place (the shared-string
    // table is widened to 16-bit characters that way), so the file, not the
    // size remembered from the last append, says how many bytes there are.
    m_size = static_cast<std::uint32_t>(m_loaded.size());
    return true;
}

const std::uint8_t* CExcelRawRecordData::GetLoadedBytes() const {
    return m_loaded.empty() ? nullptr : m_loaded.data();
}

void CExcelRawRecordData::FreeLoaded() {
    m_loaded.clear();
    m_loaded.shrink_to_fit();
}

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

bool CExcelRawRecordData::Spill() {
    MakeSpillFile();
    // The spill file was just made, empty: appending writes the same bytes
    // as rewriting it would, without truncating a file, which costs a
    // forced flush on some file systems.
    if (m_hasFile && (m_bytes.empty() || CFileIO::AppendBytes(m_bytes.data(), m_size, m_path))) {
        m_bytes = {};
        m_loaded = false;
        return true;
    }
    if (m_hasFile) CFileIO::DeleteFileByName(m_path);
    m_hasFile = false;
    m_path.clear();
    m_id = 0;
    return false;
}

void CExcelRawRecordData::TakeTypeFromBytes() {
    if (m_size < 2) return;
    std::uint8_t head[2] = {};
    if (!m_hasFile)
        m_type = CDataReader::GetU16(m_bytes.data());
    else
        m_type = CFileIO::ReadFileRange(head, m_path, 2, 0) ? CDataReader::GetU16(head) : 0;
}

CExcelRawRecordData::CExcelRawRecordData(const std::uint8_t* bytes, std::uint32_t size,
                                         std::uint32_t memoryLimit)
    : m_memoryLimit(memoryLimit) {
    if (size > 0 && !bytes) return;
    if (size <= m_memoryLimit) {
        m_bytes.assign(bytes, bytes + size);
    } else {
        MakeSpillFile();
        if (!m_hasFile || !CFileIO::AppendBytes(bytes, size, m_path)) return;
    }
    m_size = size;
    m_type = size >= 2 ? CDataReader::GetU16(bytes) : 0;
}

CExcelRawRecordData::CExcelRawRecordData(const CExcelRawRecordData& other)
    : m_memoryLimit(other.m_memoryLimit) {
    if (!other.m_hasFile) {
        m_bytes = other.m_bytes;
        m_size = other.m_size;
        m_type = other.m_type;
        return;
    }
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
    if (&other == this) return false;
    if (other.m_size == 0) return true;
    if (!other.m_hasFile) return AppendBytes(other.m_bytes.data(), other.m_size);
    if (other.m_size > std::numeric_limits<std::uint32_t>::max() - m_size) return false;
    if (!m_hasFile && !Spill()) return false;
    if (!CFileIO::AppendWholeFile(other.m_path, m_path)) return false;
    const bool wasShort = m_size < 2;
    m_size += other.m_size;
    if (wasShort) TakeTypeFromBytes();
    return true;
}

bool CExcelRawRecordData::AppendBytes(const std::uint8_t* bytes, std::uint32_t n) {
    if (n == 0) return true;
    if (!bytes || n > std::numeric_limits<std::uint32_t>::max() - m_size) return false;
    if (!m_hasFile && m_size + n > m_memoryLimit && !Spill()) return false;
    if (m_hasFile) {
        if (!CFileIO::AppendBytes(bytes, n, m_path)) return false;
    } else {
        m_bytes.insert(m_bytes.end(), bytes, bytes + n);
    }
    const bool wasShort = m_size < 2;
    m_size += n;
    if (wasShort) TakeTypeFromBytes();
    return true;
}

bool CExcelRawRecordData::Load() {
    if (!m_hasFile) {
        m_loaded = m_size > 0;
        return m_loaded;
    }
    m_bytes.clear();
    m_loaded = false;
    if (m_size == 0) return false;
    if (!CFileIO::ReadWholeFile(m_bytes, m_path)) return false;
    if (m_bytes.empty() || m_bytes.size() > std::numeric_limits<std::uint32_t>::max()) {
        m_bytes.clear();
        return false;
    }
    m_size = static_cast<std::uint32_t>(m_bytes.size());
    m_loaded = true;
    return true;
}

const std::uint8_t* CExcelRawRecordData::GetLoadedBytes() const {
    return m_loaded ? m_bytes.data() : nullptr;
}

void CExcelRawRecordData::FreeLoaded() {
    m_loaded = false;
    if (!m_hasFile) return;
    m_bytes.clear();
    m_bytes.shrink_to_fit();
}

// One record of the scan file with the data of the CONTINUE records joined
// to it, kept in a spill file of its own in the temporary folder rather than
// in memory.
//
// The spill file holds the first record's 4-byte header, its body, then for
// each joined CONTINUE its data without the CONTINUE's first (flag) byte.
// Its name comes from CFileNameManager::CreateSpillFile (a number that no
// other record of the process, nor a file already in the folder, uses).
// The spill file lives exactly as long as the object: the destructor deletes
// it. When no spill file could be made, the record is empty (size 0,
// type 0) and every operation on it fails quietly.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

class CExcelRawRecordData {
public:
    // Writes size bytes (header included) to a new spill file.
    CExcelRawRecordData(const std::uint8_t* bytes, std::uint32_t size);
    // A new spill file holding a copy of the other record's.
    CExcelRawRecordData(const CExcelRawRecordData& other);
    CExcelRawRecordData& operator=(const CExcelRawRecordData&) = delete;
    virtual ~CExcelRawRecordData();

    // Appends the other record's spill file to the end of this one's. False
    // (nothing changed) when it cannot be done or the size would pass 4 GiB.
    bool Append(const CExcelRawRecordData& other);
    // Appends n bytes to the end of the spill file; same failure rule.
    bool AppendBytes(const std::uint8_t* bytes, std::uint32_t n);

    // Type of the first record (u16 at offset 0 of the spill file), or 0
    // when the spill file holds fewer than 2 bytes.
    std::uint16_t GetType() const { return m_type; }
    // Bytes in the spill file, the 4-byte header included.
    std::uint32_t GetSize() const { return m_size; }
    // Number of the spill file.
    std::uint32_t GetId() const { return m_id; }
    const std::filesystem::path& GetSpillPath() const { return m_path; }

    // Reads the whole spill file into memory. False, with nothing loaded,
    // when it is empty or cannot be read. GetSize() then gives the number of
    // bytes loaded (a decoder may have rewritten the spill file).
    bool Load();
    // The loaded bytes (GetSize() of them), or null when not loaded.
    const std::uint8_t* GetLoadedBytes() const;
    void FreeLoaded();

private:
    void MakeSpillFile();

    std::uint32_t m_id = 0;
    std::uint32_t m_size = 0;
    // Taken from the bytes the record was made from; appends never change
    // the first two bytes.
    std::uint16_t m_type = 0;
    bool m_hasFile = false;
    std::filesystem::path m_path;
    std::vector<std::uint8_t> m_loaded;
};

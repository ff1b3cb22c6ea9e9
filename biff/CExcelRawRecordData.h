// One record of the scan file with the data of the CONTINUE records joined
// to it: the first record's 4-byte header, its body, then for each joined
// CONTINUE its data without the CONTINUE's first (flag) byte.
//
// A record is held in memory up to its memory limit (kMemoryLimit unless its
// maker says otherwise). A larger one (the shared-string table of a huge
// workbook, a long run of CONTINUE records in a damaged stream) goes to a
// spill file of its own in the temporary folder, named by
// CFileNameManager::CreateSpillFile (a number that no other record of the
// process, nor a file already in the folder, uses). The spill file lives
// exactly as long as the object: the destructor deletes it. When no spill
// file could be made, the record is empty (size 0, type 0) and every
// operation on it fails quietly.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

class CExcelRawRecordData {
public:
    // Records up to this many bytes stay in memory. A spilled record is read
    // back whole to be decoded, so a spill saves memory only while the record
    // waits: writing and reading back the shared strings of a large workbook
    // cost more than holding them.
    static constexpr std::uint32_t kMemoryLimit = 64u << 20;

    // Holds size bytes (header included); spills past memoryLimit bytes.
    CExcelRawRecordData(const std::uint8_t* bytes, std::uint32_t size,
                        std::uint32_t memoryLimit = kMemoryLimit);
    // A copy of the other record's bytes, in a new spill file when the
    // other's are in one.
    CExcelRawRecordData(const CExcelRawRecordData& other);
    CExcelRawRecordData& operator=(const CExcelRawRecordData&) = delete;
    virtual ~CExcelRawRecordData();

    // Appends the other record's bytes to the end of this one's. False
    // (nothing changed) when it cannot be done or the size would pass 4 GiB.
    bool Append(const CExcelRawRecordData& other);
    // Appends n bytes to the end of the record; same failure rule.
    bool AppendBytes(const std::uint8_t* bytes, std::uint32_t n);

    // Type of the first record (u16 at offset 0), or 0 when the record holds
    // fewer than 2 bytes.
    std::uint16_t GetType() const { return m_type; }
    // Bytes of the record, the 4-byte header included.
    std::uint32_t GetSize() const { return m_size; }
    // Whether the bytes are in a spill file; its number (0 while in memory)
    // and path (empty while in memory).
    bool IsSpilled() const { return m_hasFile; }
    std::uint32_t GetId() const { return m_id; }
    const std::filesystem::path& GetSpillPath() const { return m_path; }

    // Makes the bytes readable through GetLoadedBytes: reads a spill file
    // whole into memory. False, with nothing loaded, when the record is
    // empty or its spill file cannot be read. For a spilled record GetSize()
    // then gives the number of bytes read (the file, not the size remembered
    // from the last append, is what there is).
    bool Load();
    // The loaded bytes (GetSize() of them), or null when not loaded.
    const std::uint8_t* GetLoadedBytes() const;
    // Drops what Load read from a spill file.
    void FreeLoaded();

private:
    void MakeSpillFile();
    // Moves the bytes held in memory to a new spill file; false (still in
    // memory) when it cannot be made or written.
    bool Spill();
    void TakeTypeFromBytes();

    std::uint32_t m_memoryLimit = kMemoryLimit;
    std::uint32_t m_id = 0;
    std::uint32_t m_size = 0;
    // Taken from the bytes the record was made from; appends never change
    // the first two bytes.
    std::uint16_t m_type = 0;
    bool m_hasFile = false;
    bool m_loaded = false;
    std::filesystem::path m_path;
    // The record while in memory; what Load read while spilled.
    std::vector<std::uint8_t> m_bytes;
};

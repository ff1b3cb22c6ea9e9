#include "records/CExcelStoredFormula.h"

bool CExcelStoredFormula::Read(CExcelByteCursor& cursor, std::uint16_t length) {
    if (length > cursor.Left()) {
        cursor.Skip(length);  // fails the cursor
        return false;
    }
    m_bytes.assign(2 + std::size_t{length}, 0);
    m_bytes[0] = static_cast<std::uint8_t>(length);
    m_bytes[1] = static_cast<std::uint8_t>(length >> 8);
    return cursor.Bytes(m_bytes.data() + 2, length);
}

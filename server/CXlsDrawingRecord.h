// Puts the pieces of drawing data into a BIFF record being built: a drawing
// record's 8-byte header and one shape property (see XlsDrawingLayout.h).
#pragma once

#include <cstdint>

#include "server/CBiffRecordBuilder.h"
#include "server/XlsDrawingLayout.h"

class CXlsDrawingRecord {
public:
    // length: the bytes that follow the header.
    static void Header(CBiffRecordBuilder& record, std::uint16_t version, std::uint16_t instance,
                       std::uint16_t type, std::uint32_t length) {
        record.U16(static_cast<std::uint16_t>(version | (instance << xlsd::kInstanceShift)))
            .U16(type)
            .U32(length);
    }
    static void Container(CBiffRecordBuilder& record, std::uint16_t type, std::uint32_t length) {
        Header(record, xlsd::kContainer, 0, type, length);
    }
    static void Property(CBiffRecordBuilder& record, std::uint16_t id, std::uint32_t value) {
        record.U16(id).U32(value);
    }
};

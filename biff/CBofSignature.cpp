#include "biff/CBofSignature.h"

#include "biff/BiffRecordIds.h"
#include "biff/CByteBuffer.h"

std::uint16_t CBofSignature::SubstreamAt(const std::uint8_t* bytes) {
    if (bytes[0] != biff::kBofSignature0 || bytes[1] != biff::kBofSignature1) return 0;
    const std::uint16_t bodyLength = CDataReader::GetU16(bytes + biff::kBofLengthOffset);
    const std::uint16_t version = CDataReader::GetU16(bytes + biff::kBofVersionOffset);
    const std::uint16_t type = CDataReader::GetU16(bytes + biff::kBofSubstreamTypeOffset);
    // A macro sheet holds cells and has a BOUNDSHEET of its own, like a
    // worksheet. Chart BOFs also open the charts embedded in a worksheet's
    // substream, so they are not taken.
    if (type != biff::kSubstreamGlobals && type != biff::kSubstreamWorksheet &&
        type != biff::kSubstreamMacroSheet)
        return 0;
    if (bodyLength == biff::kBofBodyLength) return type;
    // The short BIFF8 BOF of some writers. The bytes 09 08 turn up in other
    // data too, so a short body is believed only with the BIFF8 version.
    const bool shortForm =
        bodyLength >= biff::kBofShortBodyLength && bodyLength < biff::kBofBodyLength;
    return shortForm && version == biff::kBofVersionBiff8 ? type : 0;
}

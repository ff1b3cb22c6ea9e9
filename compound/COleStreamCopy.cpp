#include "compound/COleStreamCopy.h"

#include <algorithm>

#include "compound/CDataContainerOle.h"
#include "compound/CFileHandle.h"
#include "compound/COleChainBuilder.h"
#include "compound/COleStreamChain.h"
#include "compound/CompoundFormat.h"
#include "compound/EErrorCode.h"

using namespace CompoundFormat;

std::uint32_t COleStreamCopy::Copy(std::int32_t id, const std::filesystem::path& output) {
    const COleDirectoryEntry* entry = m_container.GetEntry(id);
    if (!entry) return ErrEntryIndex;

    // Chains the parse left for later (see COleChainBuilder) are built now:
    // this entry's, and entry 0's, which holds the mini stream.
    COleChainBuilder builder(&m_container);
    builder.EnsureEntryChain(id);
    builder.EnsureEntryChain(0);

    // The walk decides the sectors and the length before the output exists:
    // a broken chain or a size that disagrees with it is reported with the
    // copy of what the chain soundly holds.
    const COleStreamChain chain(m_container, *entry);
    CStreamDamage& damage = m_container.GetStreamDamage();
    damage = CStreamDamage{};
    damage.chainCut = chain.GetCut();
    damage.chainCutSector = chain.GetCutSector();
    damage.chainCutInMini = chain.InMiniStream();
    m_mini = chain.InMiniStream();
    CFileHandle out;
    if (!out.CreateForWriting(output)) return ErrCreateOutput;
    m_written = 0;
    m_pending.clear();
    m_window.clear();
    std::uint32_t result = chain.InMiniStream() ? CopyMini(chain, out) : CopyRegular(chain, out);
    if (result != ErrCreateOutput && !Flush(out)) result = ErrCreateOutput;
    // A failed flush means the bytes did not all reach the file.
    if (!out.Close()) return ErrCreateOutput;
    if (result == ErrCreateOutput) return result;
    // Pieces that could not all be read leave the copy short of the length
    // the walk settled on; the caller must not take it for the whole stream.
    if (result == ErrNone && m_written < chain.GetLength()) result = ErrStreamSector;
    return result | chain.GetError();
}

bool COleStreamCopy::ReadPiece(std::uint64_t p, std::uint8_t* into, std::uint64_t c) {
    // Sectors of a stream mostly follow each other in the file: one read of
    // the window ahead serves the next ones, where a read per sector made a
    // system call for every 512 bytes.
    if (p >= m_windowAt && p + c <= m_windowAt + m_window.size()) {
        std::copy_n(m_window.data() + (p - m_windowAt), c, into);
        return true;
    }
    const std::uint64_t length = m_container.GetFileLength();
    const std::uint64_t ahead = std::min<std::uint64_t>(kReadWindow, length - p);
    if (ahead >= c) {
        m_window.resize(static_cast<std::size_t>(ahead));
        if (m_source.ReadAt(p, m_window.data(), m_window.size())) {
            m_windowAt = p;
            std::copy_n(m_window.data(), c, into);
            return true;
        }
    }
    m_window.clear();
    // The window could not be read (the file shrank since it was opened):
    // the piece alone decides.
    return m_source.ReadAt(p, into, static_cast<std::size_t>(c));
}

COleStreamCopy::EPiece COleStreamCopy::CopyPiece(std::uint64_t p, std::uint64_t c,
                                                 CFileHandle& out) {
    // c fits inside the file (p + c <= file length), so the buffer never
    // grows past what the file really holds, whatever the size field says.
    const std::size_t at = m_pending.size();
    m_pending.resize(at + static_cast<std::size_t>(c));
    // A piece that cannot be read in full (the file shrank since it was
    // opened) is treated like one outside the file.
    if (!ReadPiece(p, m_pending.data() + at, c)) {
        m_pending.resize(at);
        return EPiece::Skipped;
    }
    m_written += c;
    if (m_pending.size() >= kWriteBuffer && !Flush(out)) return EPiece::WriteFailed;
    return EPiece::Copied;
}

bool COleStreamCopy::Flush(CFileHandle& out) {
    const bool written = m_pending.empty() || out.Write(m_pending.data(), m_pending.size());
    m_pending.clear();
    return written;
}

void COleStreamCopy::Skip(std::int32_t number, std::uint32_t& result) {
    result = ErrStreamSector;
    // Chain walks keep only sector numbers of 0 and up.
    if (number >= 0)
        m_container.GetStreamDamage().AddSkipped(static_cast<std::uint32_t>(number), m_mini);
}

COleStreamCopy::EStep COleStreamCopy::CopyUnit(std::int32_t number, std::uint64_t p,
                                               std::uint64_t unit, std::uint64_t size,
                                               CFileHandle& out, std::uint32_t& result) {
    const std::uint64_t length = m_container.GetFileLength();
    const std::uint64_t c = std::min(unit, size - m_written);
    if (p > length || p + c > length) {
        // Skipped whole, not cut to what is there.
        Skip(number, result);
        return EStep::Next;
    }
    // Sectors of a stream do not overlap, so more bytes than the file holds
    // can only come from a chain that loops back over pieces already copied:
    // the rest of the stream is not in the file.
    if (m_written + c > length) {
        result = ErrStreamSector;
        CStreamDamage& damage = m_container.GetStreamDamage();
        if (damage.chainCut == CutNone && number >= 0) {
            damage.chainCut = CutLoop;
            damage.chainCutSector = static_cast<std::uint32_t>(number);
        }
        return EStep::Stop;
    }
    switch (CopyPiece(p, c, out)) {
        case EPiece::WriteFailed:
            result = ErrCreateOutput;
            return EStep::Stop;
        case EPiece::Skipped:
            Skip(number, result);
            return EStep::Next;
        case EPiece::Copied:
            break;
    }
    return c < unit ? EStep::Last : EStep::Next;
}

std::uint32_t COleStreamCopy::CopyRegular(const COleStreamChain& chain, CFileHandle& out) {
    const std::uint64_t size = chain.GetLength();
    const std::uint64_t s = kSectorSize;
    std::uint32_t result = ErrNone;
    for (const std::int32_t n : chain.GetSectors()) {
        const std::uint64_t p = SectorOffset(n);
        if (CopyUnit(n, p, s, size, out, result) != EStep::Next) break;
    }
    return result;
}

std::uint32_t COleStreamCopy::CopyMini(const COleStreamChain& chain, CFileHandle& out) {
    const std::uint64_t size = chain.GetLength();
    // The FAT and the mini FAT were read at these sizes: reading the data at
    // any other would copy bytes from places the chains do not name.
    const std::uint64_t s = kSectorSize;
    const std::uint64_t m = kMiniSectorSize;
    const COleDirectoryEntry* root = m_container.GetEntry(0);
    const CSectorList& miniStream = root->GetChain();
    std::uint32_t result = ErrNone;
    for (const std::int32_t id : chain.GetSectors()) {
        const std::uint64_t o = static_cast<std::uint64_t>(id) * m;
        const std::uint64_t q = o / s;
        const std::uint64_t r = o % s;
        // A mini sector past the end of the mini stream's chain has no place
        // in the file, and a negative sector id (the chain's end marker) is
        // none: both are skipped like a sector outside the file.
        const std::int32_t e =
            q < miniStream.GetCount() ? miniStream.GetAt(static_cast<std::uint32_t>(q)) : -1;
        if (e < 0) {
            Skip(id, result);
            continue;
        }
        const std::uint64_t p = SectorOffset(e) + r;
        if (CopyUnit(id, p, m, size, out, result) != EStep::Next) break;
    }
    return result;
}

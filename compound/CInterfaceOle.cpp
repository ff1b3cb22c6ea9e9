#include "compound/CInterfaceOle.h"

#include <iterator>

#include "compound/CDataContainerOle.h"
#include "compound/COleChainBuilder.h"
#include "compound/COleFileReader.h"

namespace {

const std::u16string kWorkbookStreamName = u"Workbook";
// The stream of an Excel 5.0/95 workbook.
const std::u16string kOlderWorkbookStreamName = u"Book";

// The parse, in order. Each step reports 0 or one bit. A step that throws
// (out of memory on a huge table) reports `bitIfAborted`, the bit of what it
// could not read, and the parse goes on with the next one.
struct ParseStep {
    std::uint32_t (*run)(COleFileReader& reader, COleChainBuilder& builder);
    std::uint32_t bitIfAborted;
};

const ParseStep kParseSteps[] = {
    {[](COleFileReader& r, COleChainBuilder&) { return r.ReadHeader(); }, ErrHeaderTooShort},
    {[](COleFileReader& r, COleChainBuilder&) { return r.ReadDifat(); }, ErrDifatChain},
    {[](COleFileReader& r, COleChainBuilder&) { return r.ReadFat(); }, ErrFatSector},
    {[](COleFileReader&, COleChainBuilder& b) { return b.BuildMiniFatChain(); }, ErrMiniFatSector},
    {[](COleFileReader& r, COleChainBuilder&) { return r.ReadMiniFat(); }, ErrMiniFatSector},
    {[](COleFileReader&, COleChainBuilder& b) { return b.BuildDirectoryChain(); },
     ErrDirectorySector},
    {[](COleFileReader& r, COleChainBuilder&) { return r.ReadDirectory(); }, ErrDirectorySector},
    {[](COleFileReader&, COleChainBuilder& b) { return b.FindRootEntry(); }, ErrNoRootEntry},
    {[](COleFileReader&, COleChainBuilder& b) { return b.BuildEntryChains(); }, ErrDirectorySector},
};

constexpr std::size_t kFindRootEntryStep = 7;
static_assert(std::size(kParseSteps) == kFindRootEntryStep + 2);

}  // namespace

CInterfaceOle::CInterfaceOle() = default;

CInterfaceOle::~CInterfaceOle() = default;

void CInterfaceOle::SetFileNameSrc(const std::filesystem::path& path) {
    try {
        m_fileNameSrc = path;
    } catch (...) {
        // Out of memory copying a path: the name stays as it was, and an
        // empty one is reported by ParseFile().
    }
}

EErrorCode CInterfaceOle::ParseFile() {
    if (m_fileNameSrc.empty()) {
        m_parseError |= ErrEmptyFileName;
        return ErrEmptyFileName;
    }
    std::uint32_t bits = ErrNone;
    EErrorCode result = ErrNone;
    try {
        m_container.reset();
        m_container = std::make_unique<CDataContainerOle>(m_fileNameSrc);
        COleFileReader reader(m_container.get());
        if (reader.Open() != ErrNone) {
            bits = ErrOpenFile;
            result = ErrOpenFile;
        } else {
            COleChainBuilder builder(m_container.get());
            for (std::size_t i = 0; i < std::size(kParseSteps); ++i) {
                std::uint32_t bit;
                try {
                    bit = kParseSteps[i].run(reader, builder);
                } catch (...) {
                    bit = kParseSteps[i].bitIfAborted;
                }
                bits |= bit;
                if (i == kFindRootEntryStep && bit != ErrNone) result = ErrNoRootEntry;
            }
            reader.Close();
        }
    } catch (...) {
        // Only making the container or the reader can throw here, before any
        // step ran: nothing of the file was read.
        bits = ErrOpenFile;
        result = ErrOpenFile;
    }
    m_parseError |= bits;
    return result;
}

unsigned long CInterfaceOle::GetParseError() const {
    return m_parseError;
}

int CInterfaceOle::AnalizeFileStructureOle() {
    m_structureFlags = m_container
                           ? m_container->GetHeader().AnalyzeStructure(m_container->GetFileLength())
                           : StructAll;
    return 1;
}

unsigned long CInterfaceOle::GetStructureFlags() const {
    return m_structureFlags;
}

int CInterfaceOle::CopyWorkbook(const std::filesystem::path& path) {
    bool hasWorkbook = false;
    try {
        hasWorkbook =
            m_container && COleChainBuilder(m_container.get()).FindStream(kWorkbookStreamName) >= 0;
    } catch (...) {
    }
    return CopyStream(hasWorkbook ? kWorkbookStreamName : kOlderWorkbookStreamName, path);
}

int CInterfaceOle::CopyStream(const std::u16string& name, const std::filesystem::path& path) {
    std::uint32_t bit;
    try {
        std::int32_t id = -1;
        if (m_container) {
            COleChainBuilder builder(m_container.get());
            id = builder.FindStream(name);
        }
        if (id < 0) {
            bit = ErrWorkbookNotFound;
        } else {
            COleFileReader reader(m_container.get());
            bit = reader.Open();
            if (bit == ErrNone) bit = reader.CopyStream(id, path);
        }
    } catch (...) {
        // Out of memory while copying: the output was not written whole.
        bit = ErrCreateOutput;
    }
    m_parseError |= bit;
    return static_cast<int>(bit);
}

const CStreamDamage& CInterfaceOle::GetStreamDamage() const {
    static const CStreamDamage kNone;
    return m_container ? m_container->GetStreamDamage() : kNone;
}

CDataContainerOle* CInterfaceOle::GetDataContainerOle() const {
    return m_container.get();
}

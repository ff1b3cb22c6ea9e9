#include "server/CXlsHyperlinkRecord.h"

#include <memory>

#include "server/CXlsHyperlinkAddress.h"
#include "server/XlsHyperlinkLayout.h"

using namespace xlsw;

namespace {

void PutRange(const CXlsCellRange& range, CBiffRecordBuilder& record) {
    record.U16(static_cast<std::uint16_t>(range.FirstRow()))
        .U16(static_cast<std::uint16_t>(range.LastRow()))
        .U16(static_cast<std::uint16_t>(range.FirstColumn()))
        .U16(static_cast<std::uint16_t>(range.LastColumn()));
}

// A string of the hyperlink stream: count with the zero, characters, zero.
void PutString(std::u16string_view text, CBiffRecordBuilder& record) {
    record.U32(static_cast<std::uint32_t>(text.size() + 1)).Chars(text, true).U16(0);
}

void PutFileMoniker(const CXlsHyperlinkAddress& address, CBiffRecordBuilder& record) {
    const std::u16string_view path = address.Path();
    record.Bytes(kFileMonikerClass, sizeof kFileMonikerClass).U16(address.ParentSteps());
    record.U32(static_cast<std::uint32_t>(path.size() + 1));
    for (char16_t c : path) record.U8(c <= 0xFF ? static_cast<std::uint8_t>(c) : '?');
    record.U8(0).U16(kFileMonikerNoServer).U16(kFileMonikerVersion).Zeros(kFileMonikerReserved);
    const auto bytes = static_cast<std::uint32_t>(path.size() * 2);
    record.U32(bytes + kFileMonikerKeyFields).U32(bytes).U16(kFileMonikerKey).Chars(path, true);
}

}  // namespace

bool CXlsHyperlinkRecord::BuildLink(const CXlsHyperlink& link, CBiffRecordBuilder& record) {
    const CXlsHyperlinkAddress address(link.address);
    using EKind = CXlsHyperlinkAddress::EKind;
    std::uint32_t flags = 0;
    if (address.Kind() != EKind::kNone) flags |= kLinkHasMoniker;
    if (address.IsAbsolute()) flags |= kLinkIsAbsolute;
    if (address.Kind() == EKind::kUnc) flags |= kLinkMonikerSavedAsString;
    if (!link.textToDisplay.empty()) flags |= kLinkHasDisplayName | kLinkSiteGaveDisplayName;
    if (!link.subAddress.empty()) flags |= kLinkHasLocation;

    record.Reset(kHLINK);
    PutRange(link.range, record);
    record.Bytes(kStdHyperlinkClass, sizeof kStdHyperlinkClass)
        .U32(kHyperlinkStreamVersion)
        .U32(flags);
    if (!link.textToDisplay.empty()) PutString(link.textToDisplay, record);
    switch (address.Kind()) {
        case EKind::kUrl:
            record.Bytes(kUrlMonikerClass, sizeof kUrlMonikerClass)
                .U32(static_cast<std::uint32_t>((link.address.size() + 1) * 2))
                .Chars(link.address, true)
                .U16(0);
            break;
        case EKind::kUnc:
            PutString(link.address, record);
            break;
        case EKind::kFile:
            PutFileMoniker(address, record);
            break;
        case EKind::kNone:
            break;
    }
    if (!link.subAddress.empty()) PutString(link.subAddress, record);
    return !record.Overflowed();
}

bool CXlsHyperlinkRecord::BuildTip(const CXlsHyperlink& link, CBiffRecordBuilder& record) {
    record.Reset(kQUICKTIP);
    record.U16(kQUICKTIP);
    PutRange(link.range, record);
    record.Chars(link.screenTip, true).U16(0);
    return !record.Overflowed();
}

bool CXlsHyperlinkRecord::Fits(const CXlsHyperlink& link) {
    // The builder holds a whole record (over 8 KB): not for the stack.
    const auto record = std::make_unique<CBiffRecordBuilder>();
    return BuildLink(link, *record) && (link.screenTip.empty() || BuildTip(link, *record));
}

bool CXlsHyperlinkRecord::Write(const CXlsHyperlink& link, CBiffRecordBuilder& record,
                                CBiffRecordWriter& out) {
    if (!BuildLink(link, record) || !out.Write(record)) return false;
    return link.screenTip.empty() || (BuildTip(link, record) && out.Write(record));
}

// Files that are not Excel 97-2003 workbooks, as they reach the repair under
// an .xls name: zip packages, web pages, XML and CSV texts, older Excel
// workbooks, other Office documents.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "biff/tests/support/BiffWriter.h"
#include "compound/tests/support/CompoundFileBuilder.h"

namespace repairtest {

inline std::vector<std::uint8_t> TextBytes(std::string_view text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

// A zip archive of stored, empty members: a local header per member, then
// the central directory and its end record, as any zip writer lays it out.
inline std::vector<std::uint8_t> ZipArchive(const std::vector<std::string>& members) {
    using testsupport::BiffWriter;
    std::vector<std::uint8_t> zip;
    auto append = [&zip](const std::vector<std::uint8_t>& bytes) {
        zip.insert(zip.end(), bytes.begin(), bytes.end());
    };
    std::vector<std::uint32_t> offsets;
    for (const std::string& name : members) {
        offsets.push_back(static_cast<std::uint32_t>(zip.size()));
        append(TextBytes("PK\x03\x04"));
        append(BiffWriter::U16(20));               // version needed
        append(std::vector<std::uint8_t>(20, 0));  // flags, method, time, date, crc, sizes
        append(BiffWriter::U16(static_cast<std::uint16_t>(name.size())));
        append(BiffWriter::U16(0));  // extra field length
        append(TextBytes(name));
    }
    const auto directoryAt = static_cast<std::uint32_t>(zip.size());
    for (std::size_t i = 0; i < members.size(); ++i) {
        append(TextBytes("PK\x01\x02"));
        append(BiffWriter::U16(20));
        append(BiffWriter::U16(20));
        append(std::vector<std::uint8_t>(20, 0));
        append(BiffWriter::U16(static_cast<std::uint16_t>(members[i].size())));
        append(std::vector<std::uint8_t>(12, 0));  // extra, comment, disk, attributes
        append(BiffWriter::U32(offsets[i]));
        append(TextBytes(members[i]));
    }
    const auto directorySize = static_cast<std::uint32_t>(zip.size()) - directoryAt;
    append(TextBytes("PK\x05\x06"));
    append(std::vector<std::uint8_t>(4, 0));
    append(BiffWriter::U16(static_cast<std::uint16_t>(members.size())));
    append(BiffWriter::U16(static_cast<std::uint16_t>(members.size())));
    append(BiffWriter::U32(directorySize));
    append(BiffWriter::U32(directoryAt));
    append(BiffWriter::U16(0));
    return zip;
}

inline std::vector<std::uint8_t> XlsxPackage() {
    return ZipArchive({"[Content_Types].xml", "_rels/.rels", "xl/workbook.xml",
                       "xl/_rels/workbook.xml.rels", "xl/worksheets/sheet1.xml"});
}

inline std::vector<std::uint8_t> HtmlPage() {
    return TextBytes(
        "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\">\r\n<head><meta "
        "name=ProgId content=Excel.Sheet></head>\r\n<body><table><tr><td>North</td>"
        "<td>1250.5</td></tr></table></body></html>\r\n");
}

inline std::vector<std::uint8_t> XmlSpreadsheet() {
    return TextBytes(
        "<?xml version=\"1.0\"?>\n<?mso-application progid=\"Excel.Sheet\"?>\n<Workbook "
        "xmlns=\"urn:schemas-microsoft-com:office:spreadsheet\">\n <Worksheet ss:Name=\"Sales\">"
        "<Table><Row><Cell><Data ss:Type=\"String\">North</Data></Cell></Row></Table>"
        "</Worksheet>\n</Workbook>\n");
}

inline std::vector<std::uint8_t> CsvText() {
    std::string csv = "Region,Q1,Q2\r\n";
    for (int i = 0; i < 200; ++i) csv += "North,1250.5,1320\r\nSouth,980.25,1010\r\n";
    return TextBytes(csv);
}

// An Excel 5.0/95 workbook: a "Book" stream of BIFF5 records, whose BOF has
// the BIFF8 type number but an 8-byte body.
inline std::vector<std::uint8_t> Biff5Workbook() {
    std::vector<std::uint8_t> stream = {0x09, 0x08, 0x08, 0x00, 0x00, 0x05, 0x05, 0x00,
                                        0x00, 0x00, 0x00, 0x00, 0x0A, 0x00, 0x00, 0x00};
    stream.resize(5000, 0);
    CompoundFileBuilder builder;
    builder.AddStream(u"Book", stream);
    return builder.Build();
}

inline std::vector<std::uint8_t> WordDocument() {
    CompoundFileBuilder builder;
    builder.AddStream(u"WordDocument", std::vector<std::uint8_t>(6000, 0x41));
    builder.AddStream(u"1Table", std::vector<std::uint8_t>(700, 0x11));
    return builder.Build();
}

// Bytes that mean nothing: no BOF, no text, no known signature.
inline std::vector<std::uint8_t> Noise(std::size_t n) {
    std::vector<std::uint8_t> bytes(n);
    std::uint32_t state = 12345;
    for (std::uint8_t& b : bytes) {
        state = state * 1103515245u + 12345u;
        b = static_cast<std::uint8_t>(state >> 16);
    }
    return bytes;
}

}  // namespace repairtest

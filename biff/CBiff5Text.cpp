#include "biff/CBiff5Text.h"

#include <iconv.h>

#include <algorithm>
#include <string>

namespace {

constexpr char16_t kReplacement = 0xFFFD;

iconv_t AsHandle(void* handle) {
    return static_cast<iconv_t>(handle);
}

// The converter name of a Windows code page number. The two Mac/ANSI
// values older writers use have names of their own.
std::string ConverterName(std::uint16_t codePage) {
    switch (codePage) {
        case biff5::kCodePageMacRoman:
        case 10000:
            return "MACINTOSH";
        case biff5::kCodePageAnsi:
            return "CP1252";
        case 367:
            return "ASCII";
        case 1361:
            return "JOHAB";
        default:
            return "CP" + std::to_string(codePage);
    }
}

}  // namespace

CBiff5Text::CBiff5Text(std::uint16_t codePage) : m_codePage(biff5::kCodePageDefault) {
    SetCodePage(codePage);
}

CBiff5Text::~CBiff5Text() {
    Close();
}

void CBiff5Text::SetCodePage(std::uint16_t codePage) {
    m_claimsUtf16 = codePage == biff5::kCodePageUtf16;
    if (m_claimsUtf16) codePage = biff5::kCodePageDefault;
    if (codePage == m_codePage) return;
    Close();
    m_codePage = codePage;
}

void CBiff5Text::Close() {
    if (m_handle != nullptr) iconv_close(AsHandle(m_handle));
    m_handle = nullptr;
    m_tried = false;
}

void CBiff5Text::Open() {
    m_tried = true;
    iconv_t handle = iconv_open("UTF-16LE", ConverterName(m_codePage).c_str());
    // A code page the converter does not know is read as Windows Latin 1,
    // the code page of most workbooks of that time.
    if (handle == reinterpret_cast<iconv_t>(-1)) handle = iconv_open("UTF-16LE", "CP1252");
    if (handle != reinterpret_cast<iconv_t>(-1)) m_handle = handle;
}

std::u16string CBiff5Text::Decode(std::span<const std::uint8_t> bytes) {
    std::u16string text;
    if (m_claimsUtf16 && bytes.size() % 2 == 0 &&
        std::find(bytes.begin(), bytes.end(), 0) != bytes.end()) {
        for (std::size_t i = 0; i < bytes.size(); i += 2)
            text.push_back(static_cast<char16_t>(biff5::GetU16(bytes.data() + i)));
        return text;
    }
    if (!m_tried) Open();
    if (m_handle == nullptr) {
        for (const std::uint8_t byte : bytes) text.push_back(byte);
        return text;
    }
    iconv(AsHandle(m_handle), nullptr, nullptr, nullptr, nullptr);
    // Every byte yields at most two UTF-16 units (a surrogate pair).
    std::vector<char> out(bytes.size() * 4 + 4);
    char* in = const_cast<char*>(reinterpret_cast<const char*>(bytes.data()));
    std::size_t inLeft = bytes.size();
    std::size_t done = 0;
    // Each pass converts what it can, then steps over one byte it cannot:
    // at most one pass per input byte.
    while (inLeft > 0) {
        char* outAt = out.data() + done;
        std::size_t outLeft = out.size() - done;
        const std::size_t result = iconv(AsHandle(m_handle), &in, &inLeft, &outAt, &outLeft);
        done = static_cast<std::size_t>(outAt - out.data());
        if (result != static_cast<std::size_t>(-1) || inLeft == 0) break;
        if (out.size() - done < 2) break;
        out[done] = static_cast<char>(kReplacement & 0xFF);
        out[done + 1] = static_cast<char>(kReplacement >> 8);
        done += 2;
        ++in;
        --inLeft;
        iconv(AsHandle(m_handle), nullptr, nullptr, nullptr, nullptr);
    }
    for (std::size_t i = 0; i + 1 < done; i += 2) {
        text.push_back(static_cast<char16_t>(
            biff5::GetU16(reinterpret_cast<const std::uint8_t*>(out.data()) + i)));
    }
    return text;
}

void CBiff5Text::AppendBody(std::vector<std::uint8_t>& out, const std::u16string& text) {
    bool wide = false;
    for (const char16_t c : text) wide = wide || c > 0xFF;
    out.push_back(wide ? 1 : 0);
    for (const char16_t c : text) {
        if (wide) {
            biff5::PutU16(out, static_cast<std::uint16_t>(c));
        } else {
            out.push_back(static_cast<std::uint8_t>(c));
        }
    }
}

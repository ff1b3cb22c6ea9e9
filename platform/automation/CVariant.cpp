#include "platform/automation/CVariant.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>
#include <utility>

#include "platform/automation/IDispatch.h"

namespace {

// Cell error values travel as 0x800A0000 + 2000 + the BIFF error code.
constexpr std::uint32_t kSheetErrorBase = 0x800A0000u + 2000u;
constexpr std::uint8_t kSheetErrorCodes[] = {0x00, 0x07, 0x0F, 0x17, 0x1D, 0x24, 0x2A};

// Text that spells a number: optional blanks around a plain decimal number.
bool ParseNumber(const std::u16string& text, double& out) {
    std::string ascii;
    for (char16_t c : text) {
        if (c > 0x7F) return false;
        ascii.push_back(static_cast<char>(c));
    }
    std::string_view view(ascii);
    while (!view.empty() && view.front() == ' ') view.remove_prefix(1);
    while (!view.empty() && view.back() == ' ') view.remove_suffix(1);
    if (!view.empty() && view.front() == '+') view.remove_prefix(1);
    if (view.empty()) return false;
    double value = 0.0;
    auto [end, ec] = std::from_chars(view.data(), view.data() + view.size(), value);
    if (ec != std::errc() || end != view.data() + view.size() || !std::isfinite(value)) {
        return false;
    }
    out = value;
    return true;
}

bool EqualsIgnoringCase(const std::u16string& text, std::u16string_view word) {
    if (text.size() != word.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t a = text[i];
        if (a >= u'A' && a <= u'Z') a = static_cast<char16_t>(a - u'A' + u'a');
        if (a != word[i]) return false;
    }
    return true;
}

}  // namespace

struct CVariantArray {
    std::uint32_t rows = 0;
    std::uint32_t columns = 0;
    std::vector<CVariant> elements;
};

CVariant::~CVariant() {
    DropObject();
}

CVariant::CVariant(const CVariant& other)
    : m_type(other.m_type), m_value(other.m_value), m_text(other.m_text) {
    if (m_type == VT_DISPATCH && m_value.object != nullptr) m_value.object->AddRef();
    if (m_type == VT_VARIANT_ARRAY) m_value.array = new CVariantArray(*other.m_value.array);
}

CVariant& CVariant::operator=(const CVariant& other) {
    if (this != &other) {
        CVariant copy(other);
        *this = std::move(copy);
    }
    return *this;
}

CVariant::CVariant(CVariant&& other) noexcept
    : m_type(other.m_type), m_value(other.m_value), m_text(std::move(other.m_text)) {
    other.m_type = VT_EMPTY;
    other.m_value = Value{};
    other.m_text.clear();
}

CVariant& CVariant::operator=(CVariant&& other) noexcept {
    if (this != &other) {
        // Take the other's content before dropping ours: dropping may destroy
        // an object that (indirectly) owns `other`.
        EVarType type = other.m_type;
        Value value = other.m_value;
        std::u16string text = std::move(other.m_text);
        other.m_type = VT_EMPTY;
        other.m_value = Value{};
        other.m_text.clear();
        DropObject();
        m_type = type;
        m_value = value;
        m_text = std::move(text);
    }
    return *this;
}

CVariant CVariant::Null() {
    CVariant v;
    v.m_type = VT_NULL;
    return v;
}

CVariant CVariant::Short(std::int16_t value) {
    CVariant v;
    v.m_type = VT_I2;
    v.m_value.i2 = value;
    return v;
}

CVariant CVariant::Long(std::int32_t value) {
    CVariant v;
    v.m_type = VT_I4;
    v.m_value.i4 = value;
    return v;
}

CVariant CVariant::Double(double value) {
    CVariant v;
    v.m_type = VT_R8;
    v.m_value.r8 = value;
    return v;
}

CVariant CVariant::Bool(bool value) {
    CVariant v;
    v.m_type = VT_BOOL;
    v.m_value.boolean = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

CVariant CVariant::Text(std::u16string text) {
    CVariant v;
    v.m_type = VT_BSTR;
    v.m_text = std::move(text);
    return v;
}

CVariant CVariant::Error(HRESULT code) {
    CVariant v;
    v.m_type = VT_ERROR;
    v.m_value.error = code;
    return v;
}

CVariant CVariant::SheetError(std::uint8_t biffCode) {
    return Error(MakeStatus(kSheetErrorBase + biffCode));
}

CVariant CVariant::Object(IDispatch* object) {
    if (object != nullptr) object->AddRef();
    return AdoptObject(object);
}

CVariant CVariant::AdoptObject(IDispatch* object) {
    CVariant v;
    v.m_type = VT_DISPATCH;
    v.m_value.object = object;
    return v;
}

CVariant CVariant::Array(std::uint32_t rows, std::uint32_t columns,
                         std::vector<CVariant> elements) {
    CVariant v;
    if (elements.empty() || elements.size() != static_cast<std::uint64_t>(rows) * columns) {
        return v;
    }
    v.m_value.array = new CVariantArray{rows, columns, std::move(elements)};
    v.m_type = VT_VARIANT_ARRAY;
    return v;
}

std::uint32_t CVariant::GetArrayRows() const {
    return m_type == VT_VARIANT_ARRAY ? m_value.array->rows : 0;
}

std::uint32_t CVariant::GetArrayColumns() const {
    return m_type == VT_VARIANT_ARRAY ? m_value.array->columns : 0;
}

std::span<const CVariant> CVariant::GetArrayElements() const {
    if (m_type != VT_VARIANT_ARRAY) return {};
    return m_value.array->elements;
}

bool CVariant::GetSheetErrorCode(std::uint8_t& biffCode) const {
    if (m_type != VT_ERROR) return false;
    const std::uint32_t bits = static_cast<std::uint32_t>(m_value.error);
    if (bits < kSheetErrorBase || bits > kSheetErrorBase + 0xFF) return false;
    const auto code = static_cast<std::uint8_t>(bits - kSheetErrorBase);
    for (std::uint8_t known : kSheetErrorCodes) {
        if (code == known) {
            biffCode = code;
            return true;
        }
    }
    return false;
}

IDispatch* CVariant::DetachObject() {
    if (m_type != VT_DISPATCH) return nullptr;
    IDispatch* object = m_value.object;
    m_type = VT_EMPTY;
    m_value = Value{};
    return object;
}

void CVariant::Clear() {
    DropObject();
    m_type = VT_EMPTY;
    m_value = Value{};
    m_text.clear();
}

void CVariant::DropObject() {
    if (m_type == VT_VARIANT_ARRAY) {
        CVariantArray* array = m_value.array;
        m_type = VT_EMPTY;
        m_value = Value{};
        delete array;
        return;
    }
    if (m_type != VT_DISPATCH || m_value.object == nullptr) return;
    // Forget the pointer first: Release may end up destroying this variant's
    // owner.
    IDispatch* object = m_value.object;
    m_type = VT_EMPTY;
    m_value = Value{};
    object->Release();
}

HRESULT CVariant::ToDouble(double& out) const {
    switch (m_type) {
        case VT_EMPTY:
            out = 0.0;
            return S_OK;
        case VT_I2:
            out = m_value.i2;
            return S_OK;
        case VT_I4:
            out = m_value.i4;
            return S_OK;
        case VT_R8:
            out = m_value.r8;
            return S_OK;
        case VT_BOOL:
            out = m_value.boolean != 0 ? -1.0 : 0.0;
            return S_OK;
        case VT_BSTR:
            return ParseNumber(m_text, out) ? S_OK : DISP_E_TYPEMISMATCH;
        default:
            return DISP_E_TYPEMISMATCH;
    }
}

HRESULT CVariant::ToLong(std::int32_t& out) const {
    double value = 0.0;
    if (HRESULT status = ToDouble(value); Failed(status)) return status;
    // Halves go to the even neighbour, as automation rounds.
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
          rounded <= std::numeric_limits<std::int32_t>::max())) {
        return DISP_E_OVERFLOW;
    }
    out = static_cast<std::int32_t>(rounded);
    return S_OK;
}

HRESULT CVariant::ToShort(std::int16_t& out) const {
    std::int32_t value = 0;
    if (HRESULT status = ToLong(value); Failed(status)) return status;
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max()) {
        return DISP_E_OVERFLOW;
    }
    out = static_cast<std::int16_t>(value);
    return S_OK;
}

HRESULT CVariant::ToBool(bool& out) const {
    if (m_type == VT_BSTR) {
        if (EqualsIgnoringCase(m_text, u"true")) {
            out = true;
            return S_OK;
        }
        if (EqualsIgnoringCase(m_text, u"false")) {
            out = false;
            return S_OK;
        }
    }
    double value = 0.0;
    if (HRESULT status = ToDouble(value); Failed(status)) return status;
    out = value != 0.0;
    return S_OK;
}

HRESULT CVariant::ToText(std::u16string& out) const {
    char digits[32];
    std::to_chars_result written{digits, std::errc()};
    switch (m_type) {
        case VT_EMPTY:
            out.clear();
            return S_OK;
        case VT_BSTR:
            out = m_text;
            return S_OK;
        case VT_BOOL:
            out = m_value.boolean != 0 ? u"True" : u"False";
            return S_OK;
        case VT_I2:
            written = std::to_chars(digits, digits + sizeof digits, m_value.i2);
            break;
        case VT_I4:
            written = std::to_chars(digits, digits + sizeof digits, m_value.i4);
            break;
        case VT_R8:
            written = std::to_chars(digits, digits + sizeof digits, m_value.r8);
            break;
        default:
            return DISP_E_TYPEMISMATCH;
    }
    if (written.ec != std::errc()) return DISP_E_OVERFLOW;
    out.assign(digits, written.ptr);
    return S_OK;
}

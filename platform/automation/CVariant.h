// One automation value: an argument or a result of a late-bound call.
//
// Kinds (the numbers are the variant type codes automation has always used):
// empty, null, 16-bit integer, 32-bit integer, double, text, object
// reference, error and Boolean. A Boolean is stored as the spreadsheet's
// automation stores it: true is all bits set (VARIANT_TRUE, -1), false 0.
//
// Ownership: a text variant owns its string. An object variant owns one
// reference to its object: copying adds a reference, destroying, clearing or
// overwriting drops it. Object() takes a reference of its own; AdoptObject()
// takes over the caller's; DetachObject() hands the variant's reference to
// the caller. A null object pointer is a valid object variant ("Nothing").
//
// An error variant carries a status code. The spreadsheet reports a cell
// error value (#DIV/0!, #N/A, ...) as an error variant whose code is
// 0x800A0000 + 2000 + the cell's BIFF error code (#DIV/0! 7 -> 0x800A07D7);
// SheetError and GetSheetErrorCode build and read these. An omitted optional
// argument is an error variant holding DISP_E_PARAMNOTFOUND (Missing()).
//
// An array variant holds a rows x columns block of variants, row by row, as
// automation clients hand a range's values over in one call. It owns its
// elements; copying copies them.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/automation/DispatchStatus.h"

class IDispatch;
struct CVariantArray;

enum EVarType : std::uint16_t {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R8 = 5,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    // VT_ARRAY | VT_VARIANT: a two-dimensional array of variants.
    VT_VARIANT_ARRAY = 0x200C,
};

inline constexpr std::int16_t VARIANT_TRUE = -1;
inline constexpr std::int16_t VARIANT_FALSE = 0;

class CVariant {
public:
    CVariant() = default;
    ~CVariant();
    CVariant(const CVariant& other);
    CVariant& operator=(const CVariant& other);
    CVariant(CVariant&& other) noexcept;
    CVariant& operator=(CVariant&& other) noexcept;

    static CVariant Null();
    static CVariant Short(std::int16_t value);
    static CVariant Long(std::int32_t value);
    static CVariant Double(double value);
    static CVariant Bool(bool value);
    // May throw std::bad_alloc while copying; callers at a module boundary
    // catch it (the wrapper reports a failed push).
    static CVariant Text(std::u16string text);
    static CVariant Error(HRESULT code);
    static CVariant Missing() { return Error(DISP_E_PARAMNOTFOUND); }
    // A cell error value by its BIFF code (0x00 #NULL! ... 0x2A #N/A).
    static CVariant SheetError(std::uint8_t biffCode);
    static CVariant Object(IDispatch* object);       // adds a reference
    static CVariant AdoptObject(IDispatch* object);  // takes the caller's
    // rows x columns elements, row by row. A count of elements that is not
    // rows x columns, or no element at all, gives an empty variant. May
    // throw std::bad_alloc.
    static CVariant Array(std::uint32_t rows, std::uint32_t columns,
                          std::vector<CVariant> elements);

    EVarType Type() const { return m_type; }
    bool IsEmpty() const { return m_type == VT_EMPTY; }
    bool IsMissing() const { return m_type == VT_ERROR && m_value.error == DISP_E_PARAMNOTFOUND; }

    // Raw contents; each is meaningful only for its own kind and 0 / empty
    // / null otherwise.
    std::int16_t GetShort() const { return m_type == VT_I2 ? m_value.i2 : 0; }
    std::int32_t GetLong() const { return m_type == VT_I4 ? m_value.i4 : 0; }
    double GetDouble() const { return m_type == VT_R8 ? m_value.r8 : 0.0; }
    // The stored Boolean word: VARIANT_TRUE or VARIANT_FALSE.
    std::int16_t GetBoolWord() const { return m_type == VT_BOOL ? m_value.boolean : 0; }
    const std::u16string& GetText() const { return m_text; }
    HRESULT GetError() const { return m_type == VT_ERROR ? m_value.error : S_OK; }
    // The object, borrowed: no reference is added.
    IDispatch* GetObject() const { return m_type == VT_DISPATCH ? m_value.object : nullptr; }
    // An array's shape (0 for other kinds) and its elements, row by row
    // (empty for other kinds).
    std::uint32_t GetArrayRows() const;
    std::uint32_t GetArrayColumns() const;
    std::span<const CVariant> GetArrayElements() const;
    // True for an error variant that encodes a cell error value.
    bool GetSheetErrorCode(std::uint8_t& biffCode) const;

    // Hands the object's reference to the caller and leaves the variant
    // empty; null (and nothing changes) when the variant is not an object.
    IDispatch* DetachObject();
    // Frees text, drops an object's reference, frees an array's elements;
    // the variant becomes empty.
    void Clear();

    // Conversions as the spreadsheet's automation applies them to arguments.
    // Each returns S_OK and writes out, or DISP_E_TYPEMISMATCH (objects,
    // errors, null, text that is not a number) or DISP_E_OVERFLOW (out of
    // range), leaving out unchanged. Empty converts to 0 / false / "".
    // Doubles round to the nearest integer, halves to even.
    HRESULT ToLong(std::int32_t& out) const;
    HRESULT ToShort(std::int16_t& out) const;
    HRESULT ToDouble(double& out) const;
    HRESULT ToBool(bool& out) const;
    // Numbers in their shortest round-trip decimal form, Booleans as "True"
    // and "False".
    HRESULT ToText(std::u16string& out) const;

private:
    union Value {
        std::int16_t i2;
        std::int32_t i4;
        double r8;
        std::int16_t boolean;
        HRESULT error;
        IDispatch* object;
        CVariantArray* array;  // owned
    };

    // Drops an object's reference or frees an array: what the variant owns
    // beside its text.
    void DropObject();

    EVarType m_type = VT_EMPTY;
    Value m_value{};
    std::u16string m_text;
};

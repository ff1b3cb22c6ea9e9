// A test client of the server's objects: calls members by name through
// GetIDsOfNames and Invoke, as the save's wrapper does, with positional
// arguments in natural order (the client reverses them) and named ones.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/automation/CTDispatchRef.h"
#include "platform/automation/IDispatch.h"

namespace servertest {

using ObjectRef = CTDispatchRef<IDispatch>;
using NamedArgs = std::vector<std::pair<std::u16string_view, CVariant>>;

struct CallResult {
    HRESULT status = E_FAIL;
    CVariant value;
    CExcepInfo exception;
    std::uint32_t argError = 0xFFFFFFFF;

    bool Ok() const { return Succeeded(status); }
    // The object of the result, with its reference; empty for other kinds.
    ObjectRef Object() {
        return ObjectRef::Adopt(value.Type() == VT_DISPATCH ? value.DetachObject() : nullptr);
    }
};

// kind: DISPATCH_METHOD, DISPATCH_PROPERTYGET or DISPATCH_PROPERTYPUT (the
// value of a put goes in `put`).
CallResult Call(IDispatch* object, std::u16string_view member, std::uint16_t kind,
                std::vector<CVariant> positional = {}, const NamedArgs& named = {},
                const CVariant* put = nullptr);

CallResult Get(IDispatch* object, std::u16string_view member, std::vector<CVariant> positional = {},
               const NamedArgs& named = {});
CallResult Put(IDispatch* object, std::u16string_view member, const CVariant& value);
// A property get that must succeed and give an object.
ObjectRef GetObject(IDispatch* object, std::u16string_view member,
                    std::vector<CVariant> positional = {});

// One-based Cells(row, column) of a worksheet, as the wrapper passes them.
ObjectRef CellAt(IDispatch* sheet, int row, int column);

// A new server (through the factory) with a workbook from Add(Template
// -4167), and that workbook's first worksheet.
struct ServerFixture {
    ObjectRef application;
    ObjectRef workbook;
    ObjectRef sheet;
};
ServerFixture StartWithWorkbook();

}  // namespace servertest

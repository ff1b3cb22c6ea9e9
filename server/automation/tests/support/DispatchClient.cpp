#include "server/automation/tests/support/DispatchClient.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "server/automation/CXlsApplicationServer.h"

namespace servertest {

CallResult Call(IDispatch* object, std::u16string_view member, std::uint16_t kind,
                std::vector<CVariant> positional, const NamedArgs& named, const CVariant* put) {
    CallResult result;
    if (object == nullptr) {
        result.status = E_POINTER;
        return result;
    }
    std::vector<std::u16string_view> names{member};
    for (const auto& [name, value] : named) names.push_back(name);
    std::vector<DISPID> ids(names.size(), DISPID_UNKNOWN);
    result.status = object->GetIDsOfNames(names, LOCALE_SYSTEM_DEFAULT, ids);
    if (Failed(result.status)) return result;

    // Named arguments first, then the positional ones last to first.
    std::vector<CVariant> args;
    std::vector<DISPID> namedIds;
    if (put != nullptr) {
        args.push_back(*put);
        namedIds.push_back(DISPID_PROPERTYPUT);
    }
    for (std::size_t i = 0; i < named.size(); ++i) {
        args.push_back(named[i].second);
        namedIds.push_back(ids[i + 1]);
    }
    std::reverse(positional.begin(), positional.end());
    for (CVariant& arg : positional) args.push_back(std::move(arg));

    const CDispParams params{args.data(), namedIds.data(), static_cast<std::uint32_t>(args.size()),
                             static_cast<std::uint32_t>(namedIds.size())};
    result.status = object->Invoke(ids[0], LOCALE_SYSTEM_DEFAULT, kind, params,
                                   put != nullptr ? nullptr : &result.value, &result.exception,
                                   &result.argError);
    return result;
}

CallResult Get(IDispatch* object, std::u16string_view member, std::vector<CVariant> positional,
               const NamedArgs& named) {
    return Call(object, member, DISPATCH_PROPERTYGET, std::move(positional), named);
}

CallResult Put(IDispatch* object, std::u16string_view member, const CVariant& value) {
    return Call(object, member, DISPATCH_PROPERTYPUT, {}, {}, &value);
}

ObjectRef GetObject(IDispatch* object, std::u16string_view member,
                    std::vector<CVariant> positional) {
    CallResult result = Get(object, member, std::move(positional));
    EXPECT_EQ(result.status, S_OK) << "getting an object failed";
    ObjectRef got = result.Object();
    EXPECT_TRUE(got) << "the result holds no object";
    return got;
}

ObjectRef CellAt(IDispatch* sheet, int row, int column) {
    return GetObject(sheet, u"Cells", {CVariant::Double(row), CVariant::Double(column)});
}

ServerFixture StartWithWorkbook() {
    ServerFixture server;
    server.application = ObjectRef::Adopt(CXlsApplicationServer::CreateInstance());
    ObjectRef workbooks = GetObject(server.application.Get(), u"Workbooks");
    CallResult added =
        Call(workbooks.Get(), u"Add", DISPATCH_METHOD, {}, {{u"Template", CVariant::Short(-4167)}});
    EXPECT_EQ(added.status, S_OK);
    server.workbook = added.Object();
    server.sheet = GetObject(server.workbook.Get(), u"Worksheets", {CVariant::Long(1)});
    return server;
}

}  // namespace servertest

#include "save/CDispatchIdCache.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/automation/CTDispatchObject.h"

namespace {

int g_lookups = 0;

// Two object classes that both have a "Value", at different ids, and count
// the lookups that reach them.
template <class T>
class CCountingObject : public CTDispatchObject<T> {
public:
    using CTDispatchObject<T>::CTDispatchObject;
    HRESULT GetIDsOfNames(std::span<const std::u16string_view> names, std::uint32_t locale,
                          std::span<DISPID> ids) override {
        ++g_lookups;
        return CDispatchObject::GetIDsOfNames(names, locale, ids);
    }
    HRESULT Member(CDispatchCall& /*call*/) { return S_OK; }
};

class CCellObject : public CCountingObject<CCellObject> {
    static constexpr CTDispatchMember<CCellObject> kMembers[] = {
        {u"Formula", EMemberAccess::kGetPut, &CCellObject::Member, {}},
        {u"Value", EMemberAccess::kGetPut, &CCellObject::Member, {}},
    };

public:
    CCellObject() : CCountingObject(kMembers) {}
};

class CSheetObject : public CCountingObject<CSheetObject> {
    static constexpr CTDispatchMember<CSheetObject> kMembers[] = {
        {u"Value", EMemberAccess::kGetPut, &CSheetObject::Member, {}},
        {u"Cells", EMemberAccess::kGet, &CSheetObject::Member, {}},
        {u"AutoFill", EMemberAccess::kGet, &CSheetObject::Member, {u"Destination", u"Type"}},
    };

public:
    CSheetObject() : CCountingObject(kMembers) {}
};

TEST(CDispatchIdCache, AnswersOncePerClassAndNamesAndAsksAgainAfterARefusal) {
    IDispatch* cells[] = {new CCellObject(), new CCellObject()};
    IDispatch* sheet = new CSheetObject();
    struct Step {
        IDispatch* object;
        std::vector<std::u16string_view> names;
        HRESULT status;
        std::vector<DISPID> ids;
        int lookups;  // reaching the objects so far
    };
    const Step steps[] = {
        {cells[0], {u"Value"}, S_OK, {2}, 1},
        // Another object of the class: answered from the cache.
        {cells[1], {u"Value"}, S_OK, {2}, 1},
        // The same name on another class has an id of its own.
        {sheet, {u"Value"}, S_OK, {1}, 2},
        {cells[1], {u"Value"}, S_OK, {2}, 2},
        // A refused name goes to the object every time.
        {cells[0], {u"Missing"}, DISP_E_UNKNOWNNAME, {DISPID_UNKNOWN}, 3},
        {cells[0], {u"Missing"}, DISP_E_UNKNOWNNAME, {DISPID_UNKNOWN}, 4},
        // Named arguments are part of the key, in their order.
        {sheet, {u"AutoFill", u"Type", u"Destination"}, S_OK, {3, 1, 0}, 5},
        {sheet, {u"AutoFill", u"Destination", u"Type"}, S_OK, {3, 0, 1}, 6},
        {sheet, {u"AutoFill", u"Type", u"Destination"}, S_OK, {3, 1, 0}, 6},
        {sheet, {u"AutoFill"}, S_OK, {3}, 7},
        {sheet, {u"AutoFill", u"Type", u"Bogus"}, DISP_E_UNKNOWNNAME, {3, 1, DISPID_UNKNOWN}, 8},
        {sheet, {u"AutoFill", u"Type", u"Bogus"}, DISP_E_UNKNOWNNAME, {3, 1, DISPID_UNKNOWN}, 9},
    };

    g_lookups = 0;
    CDispatchIdCache cache;
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        const Step& step = steps[i];
        std::vector<DISPID> ids(step.names.size(), 12345);
        EXPECT_EQ(cache.Lookup(*step.object, step.names, ids), step.status) << "step " << i;
        EXPECT_EQ(ids, step.ids) << "step " << i;
        EXPECT_EQ(g_lookups, step.lookups) << "step " << i;
    }
    EXPECT_EQ(cache.Size(), 5u);  // the refusals are not kept

    for (IDispatch* cell : cells) cell->Release();
    sheet->Release();
}

}  // namespace

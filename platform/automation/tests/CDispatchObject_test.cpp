#include "platform/automation/CDispatchObject.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "platform/automation/CTDispatchRef.h"
#include "platform/automation/tests/support/TestObjects.h"

namespace {

// Releases the test object on scope exit.
struct Cell {
    CCellObject* object = new CCellObject();
    ~Cell() { object->Release(); }
    CCellObject* operator->() const { return object; }
};

std::vector<DISPID> Lookup(IDispatch& object, std::vector<std::u16string_view> names,
                           HRESULT& status) {
    std::vector<DISPID> ids(names.size(), 12345);
    status = object.GetIDsOfNames(names, LOCALE_SYSTEM_DEFAULT, ids);
    return ids;
}

DISPID MemberId(IDispatch& object, std::u16string_view name) {
    HRESULT status = S_OK;
    return Lookup(object, {name}, status)[0];
}

// --- Name lookup --------------------------------------------------------------

TEST(CDispatchObjectNames, MembersAndNamedArgumentsMatchIgnoringCase) {
    Cell cell;
    HRESULT status = E_FAIL;
    const auto ids = Lookup(*cell.object, {u"autofill", u"TYPE", u"destination"}, status);
    EXPECT_EQ(status, S_OK);
    EXPECT_GT(ids[0], 0);
    EXPECT_EQ(ids[0], MemberId(*cell.object, u"AutoFill"));
    EXPECT_EQ(ids[1], 1);  // parameter positions
    EXPECT_EQ(ids[2], 0);
    EXPECT_NE(MemberId(*cell.object, u"Value"), ids[0]);
}

TEST(CDispatchObjectNames, UnknownNamesGetUnknownIdsAndTheOthersStillResolve) {
    Cell cell;
    HRESULT status = S_OK;
    auto ids = Lookup(*cell.object, {u"AutoFill", u"Typo", u"Type"}, status);
    EXPECT_EQ(status, DISP_E_UNKNOWNNAME);
    EXPECT_GT(ids[0], 0);
    EXPECT_EQ(ids[1], DISPID_UNKNOWN);
    EXPECT_EQ(ids[2], 1);

    ids = Lookup(*cell.object, {u"NoSuchMember", u"Type"}, status);
    EXPECT_EQ(status, DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], DISPID_UNKNOWN);
    EXPECT_EQ(ids[1], DISPID_UNKNOWN);
    // A parameter name of another member is not this member's.
    ids = Lookup(*cell.object, {u"Value", u"Type"}, status);
    EXPECT_EQ(status, DISP_E_UNKNOWNNAME);
}

TEST(CDispatchObjectNames, TooFewIdSlotsIsRefused) {
    Cell cell;
    std::array<std::u16string_view, 2> names{u"AutoFill", u"Type"};
    std::array<DISPID, 1> ids{};
    EXPECT_EQ(cell->GetIDsOfNames(names, 0, ids), E_INVALIDARG);
    EXPECT_EQ(cell->GetIDsOfNames({}, 0, ids), E_INVALIDARG);
}

// --- Argument matching -----------------------------------------------------------

TEST(CDispatchObjectInvoke, PositionalArgumentsArriveLastFirst) {
    Cell cell;
    // Item(row 2, column 3): the caller's array holds the column first.
    const CVariant args[] = {CVariant::Double(3), CVariant::Double(2)};
    CDispParams params{args, nullptr, 2, 0};
    CVariant result;
    ASSERT_EQ(cell->Invoke(MemberId(*cell.object, u"Item"), 0, DISPATCH_PROPERTYGET, params,
                           &result, nullptr, nullptr),
              S_OK);
    EXPECT_EQ(cell->m_row, 2);
    EXPECT_EQ(cell->m_column, 3);
    ASSERT_EQ(result.Type(), VT_DISPATCH);
    EXPECT_NE(result.GetObject(), nullptr);
}

TEST(CDispatchObjectInvoke, NamedArgumentsReachTheirParameters) {
    Cell cell;
    Cell target;
    HRESULT status = S_OK;
    const auto ids = Lookup(*cell.object, {u"AutoFill", u"Type", u"Destination"}, status);
    ASSERT_EQ(status, S_OK);
    const CVariant args[] = {CVariant::Short(0), CVariant::Object(target.object)};
    const DISPID named[] = {ids[1], ids[2]};
    CDispParams params{args, named, 2, 2};
    ASSERT_EQ(cell->Invoke(ids[0], 0, DISPATCH_METHOD, params, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(cell->m_destination, target.object);
    EXPECT_EQ(cell->m_fillType, u"default");
}

TEST(CDispatchObjectInvoke, AnOmittedOptionalArgumentCountsAsNotPassed) {
    Cell cell;
    const CVariant args[] = {CVariant::Missing(), CVariant::Double(9)};
    CDispParams params{args, nullptr, 2, 0};
    cell->m_column = -1;
    ASSERT_EQ(cell->Invoke(MemberId(*cell.object, u"Item"), 0, DISPATCH_METHOD, params, nullptr,
                           nullptr, nullptr),
              S_OK);
    EXPECT_EQ(cell->m_row, 9);
    EXPECT_EQ(cell->m_column, -1);
}

TEST(CDispatchObjectInvoke, PutCarriesItsValueAsThePropertyPutArgument) {
    Cell cell;
    const DISPID value = MemberId(*cell.object, u"Value");
    const CVariant args[] = {CVariant::Text(u"abc")};
    const DISPID putId[] = {DISPID_PROPERTYPUT};
    CDispParams put{args, putId, 1, 1};
    ASSERT_EQ(cell->Invoke(value, 0, DISPATCH_PROPERTYPUT, put, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(cell->m_value, u"abc");

    // Without the property-put id the value is not found.
    CDispParams bare{args, nullptr, 1, 0};
    EXPECT_EQ(cell->Invoke(value, 0, DISPATCH_PROPERTYPUT, bare, nullptr, nullptr, nullptr),
              DISP_E_PARAMNOTFOUND);
    CVariant result;
    ASSERT_EQ(
        cell->Invoke(value, 0, DISPATCH_PROPERTYGET, CDispParams{}, &result, nullptr, nullptr),
        S_OK);
    EXPECT_EQ(result.GetText(), u"abc");
}

TEST(CDispatchObjectInvoke, RefusalsBeforeTheMemberRuns) {
    Cell cell;
    std::uint32_t argError = 99;
    const CVariant three[] = {CVariant::Short(1), CVariant::Short(2), CVariant::Short(3)};
    const DISPID item = MemberId(*cell.object, u"Item");
    EXPECT_EQ(cell->Invoke(item, 0, DISPATCH_METHOD, CDispParams{three, nullptr, 3, 0}, nullptr,
                           nullptr, &argError),
              DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(cell->Invoke(0, 0, DISPATCH_METHOD, CDispParams{}, nullptr, nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(cell->Invoke(1000, 0, DISPATCH_METHOD, CDispParams{}, nullptr, nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
    // Item takes no put.
    const DISPID putId[] = {DISPID_PROPERTYPUT};
    EXPECT_EQ(cell->Invoke(item, 0, DISPATCH_PROPERTYPUT, CDispParams{three, putId, 1, 1}, nullptr,
                           nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
    // A named id that is no parameter, and one given twice.
    const DISPID badNamed[] = {0, 5};
    EXPECT_EQ(cell->Invoke(item, 0, DISPATCH_METHOD, CDispParams{three, badNamed, 2, 2}, nullptr,
                           nullptr, &argError),
              DISP_E_PARAMNOTFOUND);
    EXPECT_EQ(argError, 1u);
    const DISPID twice[] = {1, 1};
    EXPECT_EQ(cell->Invoke(item, 0, DISPATCH_METHOD, CDispParams{three, twice, 2, 2}, nullptr,
                           nullptr, &argError),
              DISP_E_PARAMNOTFOUND);
    // Counts that do not fit the arrays.
    EXPECT_EQ(cell->Invoke(item, 0, DISPATCH_METHOD, CDispParams{nullptr, nullptr, 1, 0}, nullptr,
                           nullptr, nullptr),
              E_INVALIDARG);
    EXPECT_EQ(cell->Invoke(item, 0, DISPATCH_METHOD, CDispParams{three, badNamed, 1, 2}, nullptr,
                           nullptr, nullptr),
              E_INVALIDARG);
}

TEST(CDispatchObjectInvoke, ArgumentErrorPointsIntoTheCallersArray) {
    Cell cell;
    std::uint32_t argError = 99;
    // Item(row, "x"): the column is the caller's args[0].
    const CVariant args[] = {CVariant::Text(u"x"), CVariant::Double(1)};
    EXPECT_EQ(cell->Invoke(MemberId(*cell.object, u"Item"), 0, DISPATCH_METHOD,
                           CDispParams{args, nullptr, 2, 0}, nullptr, nullptr, &argError),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argError, 0u);
    // A named argument by its place among the named ones.
    HRESULT status = S_OK;
    const auto ids = Lookup(*cell.object, {u"AutoFill", u"Type", u"Destination"}, status);
    const CVariant named[] = {CVariant::Short(0), CVariant::Text(u"not a range")};
    const DISPID namedIds[] = {ids[1], ids[2]};
    EXPECT_EQ(cell->Invoke(ids[0], 0, DISPATCH_METHOD, CDispParams{named, namedIds, 2, 2}, nullptr,
                           nullptr, &argError),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argError, 1u);
}

TEST(CDispatchObjectInvoke, RaiseFillsTheExceptionRecord) {
    Cell cell;
    CExcepInfo exception;
    EXPECT_EQ(cell->Invoke(MemberId(*cell.object, u"Refuse"), 0, DISPATCH_METHOD, CDispParams{},
                           nullptr, &exception, nullptr),
              DISP_E_EXCEPTION);
    EXPECT_EQ(exception.code, 1004);
    EXPECT_EQ(exception.description, u"Not today.");
    // Without a record the status is the same.
    EXPECT_EQ(cell->Invoke(MemberId(*cell.object, u"Refuse"), 0, DISPATCH_METHOD, CDispParams{},
                           nullptr, nullptr, nullptr),
              DISP_E_EXCEPTION);
}

TEST(CDispatchObjectReferences, AnObjectResultNobodyAskedForIsReleased) {
    // Item hands out a new object; with no result wanted it must not leak
    // (the sanitizer build checks the leak).
    Cell cell;
    const CVariant args[] = {CVariant::Double(1)};
    EXPECT_EQ(cell->Invoke(MemberId(*cell.object, u"Item"), 0, DISPATCH_METHOD,
                           CDispParams{args, nullptr, 1, 0}, nullptr, nullptr, nullptr),
              S_OK);
}

TEST(CDispatchObjectInvoke, AResultVariantIsClearedBeforeTheCall) {
    Cell cell;
    bool destroyed = false;
    CVariant result = CVariant::AdoptObject(new CProbeObject(&destroyed));
    EXPECT_EQ(cell->Invoke(MemberId(*cell.object, u"Refuse"), 0, DISPATCH_METHOD, CDispParams{},
                           &result, nullptr, nullptr),
              DISP_E_EXCEPTION);
    EXPECT_TRUE(result.IsEmpty());
    EXPECT_TRUE(destroyed);
}

}  // namespace

namespace {

TEST(CTDispatchRef, HoldsExactlyOneReference) {
    bool destroyed = false;
    auto* object = new CProbeObject(&destroyed);
    {
        auto owner = CTDispatchRef<CProbeObject>::Adopt(object);
        EXPECT_EQ(object->RefCount(), 1u);
        auto shared = CTDispatchRef<CProbeObject>::Share(object);
        EXPECT_EQ(object->RefCount(), 2u);
        CTDispatchRef<CProbeObject> copy = shared;
        EXPECT_EQ(object->RefCount(), 3u);
        CTDispatchRef<CProbeObject> moved = std::move(copy);
        EXPECT_FALSE(copy);
        EXPECT_EQ(object->RefCount(), 3u);
        moved = owner;  // the same object: no change in the count
        EXPECT_EQ(object->RefCount(), 3u);
        shared.Reset();
        EXPECT_EQ(object->RefCount(), 2u);
    }
    EXPECT_TRUE(destroyed);
}

TEST(CTDispatchRef, DetachHandsTheReferenceOver) {
    bool destroyed = false;
    auto owner = CTDispatchRef<CProbeObject>::Adopt(new CProbeObject(&destroyed));
    CProbeObject* object = owner.Detach();
    owner.Reset();
    EXPECT_FALSE(destroyed);
    object->Release();
    EXPECT_TRUE(destroyed);
}

}  // namespace

// Small server objects for the automation layer's tests.
#pragma once

#include <string>

#include "platform/automation/CTDispatchObject.h"

// An object with no members that tells when it is destroyed.
class CProbeObject : public CTDispatchObject<CProbeObject> {
public:
    explicit CProbeObject(bool* destroyed) : CTDispatchObject(kMembers), m_destroyed(destroyed) {}

private:
    ~CProbeObject() override {
        if (m_destroyed != nullptr) *m_destroyed = true;
    }
    static constexpr std::span<const CTDispatchMember<CProbeObject>> kMembers{};
    bool* m_destroyed;
};

// A range-like object declaring its members in a table, recording what its
// handlers saw.
class CCellObject : public CTDispatchObject<CCellObject> {
public:
    CCellObject() : CTDispatchObject(kMembers) {}

    std::u16string m_value;
    double m_row = 0;
    double m_column = 0;
    std::u16string m_fillType;
    IDispatch* m_destination = nullptr;  // borrowed: only compared

    HRESULT Value(CDispatchCall& call) {
        if (call.IsPut()) return call.PutText(m_value);
        call.SetResult(CVariant::Text(m_value));
        return S_OK;
    }
    HRESULT Item(CDispatchCall& call) {
        if (HRESULT status = call.ArgDouble(0, m_row); Failed(status)) return status;
        if (call.Has(1)) {
            if (HRESULT status = call.ArgDouble(1, m_column); Failed(status)) return status;
        }
        // A fresh object for the caller, as a collection hands out its items.
        call.SetResult(CVariant::AdoptObject(new CCellObject()));
        return S_OK;
    }
    HRESULT AutoFill(CDispatchCall& call) {
        const CVariant* destination = call.Arg(0);
        if (destination == nullptr || destination->Type() != VT_DISPATCH) {
            return call.ArgumentError(0, DISP_E_TYPEMISMATCH);
        }
        m_destination = destination->GetObject();
        m_fillType = u"default";
        if (call.Has(1)) {
            std::int32_t type = 0;
            if (HRESULT status = call.ArgLong(1, type); Failed(status)) return status;
            m_fillType = type == 0 ? u"default" : u"other";
        }
        return S_OK;
    }
    HRESULT Refuse(CDispatchCall& call) { return call.Raise(1004, u"Not today."); }

private:
    static constexpr CTDispatchMember<CCellObject> kMembers[] = {
        {u"Value", EMemberAccess::kGetPut, &CCellObject::Value, {}},
        {u"Item", EMemberAccess::kGet, &CCellObject::Item, {u"RowIndex", u"ColumnIndex"}},
        {u"AutoFill", EMemberAccess::kGet, &CCellObject::AutoFill, {u"Destination", u"Type"}},
        {u"Refuse", EMemberAccess::kGet, &CCellObject::Refuse, {}},
    };
};

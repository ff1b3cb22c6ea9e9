// A server object that declares its members by name in a static table:
//
//   class CRangeObject : public CTDispatchObject<CRangeObject> {
//       HRESULT Value(CDispatchCall& call);
//       HRESULT AutoFill(CDispatchCall& call);
//       static constexpr CTDispatchMember<CRangeObject> kMembers[] = {
//           {u"Value", EMemberAccess::kGetPut, &CRangeObject::Value, {}},
//           {u"AutoFill", EMemberAccess::kGet, &CRangeObject::AutoFill,
//            {u"Destination", u"Type"}},
//       };
//   public:
//       CRangeObject() : CTDispatchObject(kMembers) {}
//   };
//
// The table must outlive the object (a static array does). Handlers see
// their arguments by declared position (CDispatchCall) and return S_OK or a
// failure status.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "platform/automation/CDispatchObject.h"

template <class T>
struct CTDispatchMember {
    std::u16string_view name;
    EMemberAccess access;
    HRESULT (T::*handler)(CDispatchCall& call);
    // Parameter names in declared order; unused entries stay empty.
    std::array<std::u16string_view, kMaxDispatchParams> params;
};

template <class T>
class CTDispatchObject : public CDispatchObject {
protected:
    explicit CTDispatchObject(std::span<const CTDispatchMember<T>> members) : m_members(members) {}

    std::size_t MemberCount() const override { return m_members.size(); }
    std::u16string_view MemberName(std::size_t member) const override {
        return m_members[member].name;
    }
    EMemberAccess MemberAccess(std::size_t member) const override {
        return m_members[member].access;
    }
    std::u16string_view ParamName(std::size_t member, std::size_t position) const override {
        return position < kMaxDispatchParams ? m_members[member].params[position]
                                             : std::u16string_view();
    }
    HRESULT CallMember(std::size_t member, CDispatchCall& call) override {
        return (static_cast<T*>(this)->*m_members[member].handler)(call);
    }

private:
    std::span<const CTDispatchMember<T>> m_members;
};

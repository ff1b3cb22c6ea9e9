// Base of every object of our spreadsheet server: a table-declared
// automation object (CTDispatchObject) whose members never let an exception
// out of Invoke. A member that runs out of memory fails the call with
// E_OUTOFMEMORY and leaves the model as the member's own checks left it.
#pragma once

#include <cstddef>
#include <new>
#include <span>

#include "platform/automation/CTDispatchObject.h"

template <class T>
class CTXlsServerObject : public CTDispatchObject<T> {
protected:
    explicit CTXlsServerObject(std::span<const CTDispatchMember<T>> members)
        : CTDispatchObject<T>(members) {}

    HRESULT CallMember(std::size_t member, CDispatchCall& call) override {
        try {
            return CTDispatchObject<T>::CallMember(member, call);
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (...) {
            return E_UNEXPECTED;
        }
    }

    // Our own object of kind U passed as an argument, borrowed; null when
    // the argument is absent, not an object, or an object of another kind
    // or another server.
    template <class U>
    static U* ArgObject(const CDispatchCall& call, std::size_t position) {
        const CVariant* arg = call.Arg(position);
        if (arg == nullptr || arg->Type() != VT_DISPATCH) return nullptr;
        return dynamic_cast<U*>(arg->GetObject());
    }
};

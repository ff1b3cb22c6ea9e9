// An owning pointer to an automation object: holds one reference and drops
// it when destroyed, reset or overwritten. For server objects that keep
// their parent (a range its worksheet) and for callers that prefer not to
// pair AddRef and Release by hand.
//
// Adopt takes over a reference the caller already holds (a new object, an
// object detached from a result); Share adds one of its own.
#pragma once

#include <utility>

template <class T>
class CTDispatchRef {
public:
    CTDispatchRef() = default;
    ~CTDispatchRef() { Reset(); }
    CTDispatchRef(const CTDispatchRef& other) : m_object(other.m_object) {
        if (m_object != nullptr) m_object->AddRef();
    }
    CTDispatchRef& operator=(const CTDispatchRef& other) {
        CTDispatchRef copy(other);
        Swap(copy);
        return *this;
    }
    CTDispatchRef(CTDispatchRef&& other) noexcept : m_object(other.Detach()) {}
    CTDispatchRef& operator=(CTDispatchRef&& other) noexcept {
        CTDispatchRef taken(std::move(other));
        Swap(taken);
        return *this;
    }

    static CTDispatchRef Adopt(T* object) {
        CTDispatchRef ref;
        ref.m_object = object;
        return ref;
    }
    static CTDispatchRef Share(T* object) {
        if (object != nullptr) object->AddRef();
        return Adopt(object);
    }

    T* Get() const { return m_object; }
    T* operator->() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }

    // Hands the reference to the caller; the holder becomes empty.
    T* Detach() { return std::exchange(m_object, nullptr); }
    void Reset() {
        // Cleared before the release: releasing may destroy this holder's
        // owner.
        if (T* object = Detach()) object->Release();
    }
    void Swap(CTDispatchRef& other) noexcept { std::swap(m_object, other.m_object); }

private:
    T* m_object = nullptr;
};

// Collects the texts handed to ShowMessage for as long as it lives, from any
// thread, instead of showing them; on destruction the handler that was
// installed before comes back. Nested captures must end in reverse order of
// creation. A call that picked up this capture's handler just before the
// capture ended still lands safely (the collected texts outlive the object).
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/MessageSink.h"

class ScopedMessageCapture {
public:
    ScopedMessageCapture();
    ~ScopedMessageCapture();
    ScopedMessageCapture(const ScopedMessageCapture&) = delete;
    ScopedMessageCapture& operator=(const ScopedMessageCapture&) = delete;

    // The texts received so far, in the order the calls reached the sink.
    std::vector<std::u16string> Texts() const;
    std::size_t Count() const;

private:
    struct Store;
    std::shared_ptr<Store> m_store;
    MessageHandler m_previous;
};

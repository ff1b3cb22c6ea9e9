#include "platform/ScopedMessageCapture.h"

#include <mutex>

struct ScopedMessageCapture::Store {
    mutable std::mutex mutex;
    std::vector<std::u16string> texts;
};

ScopedMessageCapture::ScopedMessageCapture() : m_store(std::make_shared<Store>()) {
    // The handler owns a share of the store: a worker that copied it just
    // before this object is destroyed must not write into freed memory.
    std::shared_ptr<Store> store = m_store;
    m_previous = SetMessageHandler([store](std::u16string_view text) {
        std::lock_guard lock(store->mutex);
        store->texts.emplace_back(text);
    });
}

ScopedMessageCapture::~ScopedMessageCapture() { SetMessageHandler(std::move(m_previous)); }

std::vector<std::u16string> ScopedMessageCapture::Texts() const {
    std::lock_guard lock(m_store->mutex);
    return m_store->texts;
}

std::size_t ScopedMessageCapture::Count() const {
    std::lock_guard lock(m_store->mutex);
    return m_store->texts.size();
}

// A string that one thread writes and another reads, each access whole
// (progress and status texts published by workers).
#pragma once

#include <mutex>
#include <string>

class GuardedText {
public:
    void Set(std::u16string text) {
        std::lock_guard lock(m_mutex);
        m_text = std::move(text);
    }
    std::u16string Get() const {
        std::lock_guard lock(m_mutex);
        return m_text;
    }

private:
    mutable std::mutex m_mutex;
    std::u16string m_text;
};

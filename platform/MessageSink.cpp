#include "platform/MessageSink.h"

#include <cstdio>
#include <mutex>

#include "platform/TextConversion.h"

namespace {

std::mutex& HandlerMutex() {
    static std::mutex mutex;
    return mutex;
}

MessageHandler& Handler() {
    static MessageHandler handler;
    return handler;
}

// Held while a message is shown: one box at a time, as with modal boxes.
std::mutex& ShowMutex() {
    static std::mutex mutex;
    return mutex;
}

}  // namespace

void StderrMessageHandler(std::u16string_view text) {
    std::string line = ToUtf8(text);
    line.push_back('\n');
    // Written whole, so that a text holding a NUL (a name cut from a damaged
    // record) is not shortened.
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

void ShowMessage(std::u16string_view text) {
    MessageHandler handler;
    {
        std::lock_guard lock(HandlerMutex());
        handler = Handler();
    }
    std::lock_guard show(ShowMutex());
    if (!handler) {
        StderrMessageHandler(text);
        return;
    }
    // A worker must not die because a message could not be shown.
    try {
        handler(text);
    } catch (...) {
        StderrMessageHandler(text);
    }
}

MessageHandler SetMessageHandler(MessageHandler handler) {
    std::lock_guard lock(HandlerMutex());
    MessageHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

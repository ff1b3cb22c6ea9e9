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
    const std::string utf8 = ToUtf8(text);
    std::fprintf(stderr, "%s\n", utf8.c_str());
    std::fflush(stderr);
}

void ShowMessage(std::u16string_view text) {
    MessageHandler handler;
    {
        std::lock_guard lock(HandlerMutex());
        handler = Handler();
    }
    std::lock_guard show(ShowMutex());
    if (handler) handler(text);
    else StderrMessageHandler(text);
}

MessageHandler SetMessageHandler(MessageHandler handler) {
    std::lock_guard lock(HandlerMutex());
    MessageHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

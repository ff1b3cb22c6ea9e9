// Where fixed user messages go ("error code 0x01 : Failed to open source
// file", "Invalid source file path", ...). The desktop program installs a
// handler that shows a modal box on the user-interface thread and blocks the
// calling worker until it is answered; the command-line tool prints to
// standard error (the default); tests capture the texts.
#pragma once

#include <functional>
#include <string>
#include <string_view>

using MessageHandler = std::function<void(std::u16string_view text)>;

// Hands text to the installed handler. Safe to call from any thread; calls
// are serialised so that one message is shown at a time, and the handler runs
// on the calling thread. A handler must not call ShowMessage itself. Nothing
// is thrown: a handler that throws is replaced, for that message, by the
// standard-error default.
void ShowMessage(std::u16string_view text);

// Installs a handler and returns the previous one (empty when the default
// was in force). An empty handler restores the standard-error default. A call
// already running keeps the handler it started with.
MessageHandler SetMessageHandler(MessageHandler handler);

// The default handler: the text and a line break on standard error (UTF-8).
void StderrMessageHandler(std::u16string_view text);

// Shows the program's fixed messages (those that go through ShowMessage,
// from any thread) as message boxes on the user-interface thread. A worker
// that shows a message waits until it is answered, as the message boxes of
// a worker did on the old desktop.
#pragma once

class IUserDialogs;
class QWidget;

class CGuiMessageHandler {
public:
    // dialogs and parent are borrowed until Uninstall.
    static void Install(IUserDialogs* dialogs, QWidget* parent);
    // Restores the standard-error default.
    static void Uninstall();
};

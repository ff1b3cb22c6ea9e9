#include "app/CGuiMessageHandler.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThread>
#include <QWidget>

#include "app/IUserDialogs.h"
#include "platform/MessageSink.h"

void CGuiMessageHandler::Install(IUserDialogs* dialogs, QWidget* parent) {
    QPointer<QWidget> owner(parent);
    SetMessageHandler([dialogs, owner](std::u16string_view text) {
        const QString message = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
        QCoreApplication* app = QCoreApplication::instance();
        if (app == nullptr) {
            StderrMessageHandler(text);
            return;
        }
        if (QThread::currentThread() == app->thread()) {
            dialogs->Inform(owner.data(), message);
            return;
        }
        // A worker waits for the answer, so that its message is seen before
        // it goes on (and before the job's final message).
        QMetaObject::invokeMethod(
            app, [dialogs, owner, message] { dialogs->Inform(owner.data(), message); },
            Qt::BlockingQueuedConnection);
    });
}

void CGuiMessageHandler::Uninstall() { SetMessageHandler({}); }

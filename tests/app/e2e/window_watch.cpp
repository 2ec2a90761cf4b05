#include "window_watch.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>

#include "app/agent_msg_event.h"
#include "app/control_ids.h"
#include "app/dialog_template.h"
#include "link/agent_msg_target.h"

WindowWatch::WindowWatch(CBrevixDlg& window) : window_(window) {
    connect(findControl<QLineEdit>(window, kIdStatusLine), &QLineEdit::textChanged, this,
            [this](const QString& text) { statusTexts_.push_back(text.toStdString()); });
    // Message boxes are made and shown by the window's handlers: only the application sees
    // them all, nested ones included.
    qApp->installEventFilter(this);
}

bool WindowWatch::eventFilter(QObject* watched, QEvent* event) {
    markTakenOver(event);  // a hand-over reaches this filter before the window
    if (event->type() == QEvent::Show) {
        if (auto* box = qobject_cast<QMessageBox*>(watched)) {
            boxesOpened_.push_back(box->text().toStdString());
        }
    } else if (event->type() == AgentMsgEvent::kType && watched == &window_) {
        auto* handOver = dynamic_cast<AgentMsgEvent*>(event);
        if (handOver != nullptr && handOver->kind() == AGENTMSG_DATA) ++serverBodiesTaken_;
    }
    return false;
}

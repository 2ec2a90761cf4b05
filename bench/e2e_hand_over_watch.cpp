#include "e2e_hand_over_watch.h"

#include <QEvent>
#include <QMetaObject>

#include "app/agent_msg_event.h"
#include "link/agent_msg_target.h"

HandOverWatch::HandOverWatch(QObject& window, int64_t expectedBodies,
                             std::function<void()> allArrived)
    : window_(window), expected_(expectedBodies), allArrived_(std::move(allArrived)) {
    window_.installEventFilter(this);
}

bool HandOverWatch::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &window_ || event->type() != AgentMsgEvent::kType) return false;
    auto* handOver = dynamic_cast<AgentMsgEvent*>(event);
    if (handOver == nullptr) return false;
    if (handOver->kind() == AGENTMSG_SYSMSG) {
        ++linkReports_;
        finish();
        return true;
    }
    if (++bodies_ == expected_) finish();
    return false;
}

void HandOverWatch::finish() {
    if (finished_) return;
    finished_ = true;
    QMetaObject::invokeMethod(&window_, allArrived_, Qt::QueuedConnection);
}

bool PaintCounter::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Paint) ++paints_;
    return false;
}

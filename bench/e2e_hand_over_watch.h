#pragma once

#include <QObject>
#include <cstdint>
#include <functional>

// Watches the reader thread's hand-overs arriving at the main window. Counts the server
// bodies and, once the expected number has arrived, calls `allArrived` from the window's
// queue, so after the last one has been handled. A report about the link means the
// measurement failed: it is kept from the window, whose fatal message box would wait for a
// click, and `allArrived` is called at once.
class HandOverWatch final : public QObject {
  public:
    HandOverWatch(QObject& window, int64_t expectedBodies, std::function<void()> allArrived);

    int64_t bodies() const { return bodies_; }
    int64_t linkReports() const { return linkReports_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void finish();

    QObject& window_;
    int64_t expected_;
    std::function<void()> allArrived_;
    int64_t bodies_ = 0;
    int64_t linkReports_ = 0;
    bool finished_ = false;
};

// Counts the paints of a widget.
class PaintCounter final : public QObject {
  public:
    int64_t paints() const { return paints_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int64_t paints_ = 0;
};

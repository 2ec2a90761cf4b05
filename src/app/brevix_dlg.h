#pragma once

#include <QDialog>
#include <QTimer>
#include <cstddef>
#include <cstdint>

#include "app/board_core.h"
#include "board/row_placement.h"
#include "link/agent_msg_target.h"
#include "link/link_window.h"
#include "settings/clock.h"
#include "settings/layout_file.h"
#include "settings/message_sink.h"

class CMsflexgrid1;
class QCheckBox;
class QLineEdit;
class QPushButton;

// The main window: the connection boxes, Start and Exit, the status line, the three check
// boxes, the queue filter box and the agent grid. It is the one place where the plain parts
// of the program meet the window system: their messages, boxes, timer and hand-overs from
// the reader thread all come through here.
class CBrevixDlg final : public QDialog,
                         public MessageSink,
                         public LinkWindow,
                         public LayoutWindow,
                         public QueueFilterSource,
                         public AgentMsgTarget {
    Q_OBJECT

  public:
    // Builds the window from its template and runs its initialisation, which reads the
    // command line argv[1] .. argv[argc - 1]. Message boxes of the initialisation show
    // before the window does.
    CBrevixDlg(int argc, const char* const* argv, const Clock& clock);
    ~CBrevixDlg() override;

    BoardCore& core() { return core_; }
    GridView& grid();

    void setStatusLine(const char* text) override;
    void showMessage(const char* text) override;
    bool askYesNo(const char* question) override;

    void readBox(ConnectBox box, char* out, std::size_t capacity) const override;
    void writeBox(ConnectBox box, const char* text) override;
    void setConnectControlsEnabled(bool enabled) override;
    void startRefreshTimer(int32_t milliseconds) override;
    void stopRefreshTimer() override;

    GridView::PixelSize getMainWindowSize() const override;
    void setMainWindowSize(int32_t width, int32_t height) override;
    bool isChecked(LayoutCheckBox box) const override;
    void setCheckedAndClick(LayoutCheckBox box, bool checked) override;
    void readQueueFilter(char* out, std::size_t capacity) const override;
    void setQueueFilter(const char* text) override;

    // Safe from any thread: queues the block for the window thread, which hands it to the
    // server link. The block belongs to the window from here on.
    bool postAgentMsg(char* block, int32_t kind) override;

  public slots:
    // The exit command: the Exit button, the Escape key and the close box.
    void reject() override;

  protected:
    bool event(QEvent* event) override;

  private:
    void buildControls();
    void bindControls();
    void connectCommands();
    void addAboutEntry();
    void OnInitDialog(int argc, const char* const* argv);
    void OnCheckBox(LayoutCheckBox box);
    void OnAbout();

    QLineEdit* connectBox(ConnectBox box) const;
    QCheckBox* checkBox(LayoutCheckBox box) const;

    CMsflexgrid1* grid_;
    BoardCore core_;
    QTimer refreshTimer_;
    // The controls the program reads and writes, bound once after they are built.
    QPushButton* startButton_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    QLineEdit* hostBox_ = nullptr;
    QLineEdit* portBox_ = nullptr;
    QLineEdit* refreshBox_ = nullptr;
    QLineEdit* statusLine_ = nullptr;
    QLineEdit* queueFilterBox_ = nullptr;
    QCheckBox* hideLoggedOut_ = nullptr;
    QCheckBox* showHeldTime_ = nullptr;
    QCheckBox* disableRedrawSaveMode_ = nullptr;
};

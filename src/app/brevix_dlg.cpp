#include "app/brevix_dlg.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QKeySequence>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QString>

#include "app/about_dlg.h"
#include "app/agent_msg_event.h"
#include "app/control_ids.h"
#include "app/dialog_template.h"
#include "app/dialog_units.h"
#include "app/grid/msflexgrid1.h"
#include "app/program_icon.h"
#include "app/program_references.h"

namespace {

constexpr const char* kTitle = "Brevix v1.0.0.1 (www.brevix.example)";
constexpr const char* kMessageBoxTitle = "Brevix";
constexpr const char* kAboutEntry = "&About Brevix...";
constexpr const char* kExitQuestion = "Are you sure to exit now?";
constexpr int kWidthUnits = 389;
constexpr int kHeightUnits = 378;

// The window's controls in template order, which is also the tab order.
constexpr ControlTemplate kControls[] = {
    {ControlKind::DefaultButton, kIdStart, "Start", {240, 5, 50, 16}},
    {ControlKind::Button, kIdExit, "Exit", {318, 5, 50, 16}},
    {ControlKind::CentredText, kNoControlId, "host", {8, 8, 23, 8}},
    {ControlKind::CentredText, kNoControlId, "port", {133, 8, 28, 8}},
    {ControlKind::Edit, kIdHostBox, nullptr, {30, 6, 93, 13}, "host"},
    {ControlKind::DigitsEdit, kIdPortBox, nullptr, {158, 6, 43, 13}, "port"},
    {ControlKind::CentredText, kNoControlId, "duration timer", {108, 24, 49, 8}},
    {ControlKind::DigitsEdit, kIdRefreshBox, nullptr, {158, 22, 43, 13}, "duration timer"},
    {ControlKind::Edit, kIdStatusLine, nullptr, {9, 50, 375, 14}, "status line"},
    {ControlKind::CheckBox, kIdHideLoggedOut, "Hide logged-out", {9, 38, 67, 12}},
    {ControlKind::Hosted, kIdGrid, nullptr, {5, 67, 382, 306}, "agent grid"},
    {ControlKind::CentredText, kNoControlId, "select queue(s)", {263, 37, 49, 9}},
    {ControlKind::Edit, kIdQueueFilterBox, nullptr, {313, 34, 72, 14}, "select queue(s)"},
    {ControlKind::CheckBox, kIdShowHeldTime, "Show held time", {83, 40, 66, 8}},
    {ControlKind::CheckBox, kIdDisableRedrawSaveMode, "Disabe redraw save mode", {156, 39, 96, 11}},
};

QString fromProgramText(const char* text) {
    return QString::fromLatin1(text);
}

// Single-byte text, one character at a time: agent placements read the queue filter box,
// and nothing on that road may allocate. Characters beyond Latin-1 become '?'.
void toProgramText(const QString& text, char* out, std::size_t capacity) {
    std::size_t length = 0;
    for (QChar character : text) {
        if (length == capacity) break;
        char16_t code = character.unicode();
        out[length++] = code < 256 ? static_cast<char>(code) : '?';
    }
    out[length] = '\0';
}

}  // namespace

CBrevixDlg::CBrevixDlg(int argc, const char* const* argv, const Clock& clock)
    : QDialog(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      grid_(new CMsflexgrid1()),  // adopted at its place in the template
      core_({*grid_, *this, *this, *this, *this}, clock),
      refreshTimer_(this) {
    buildControls();
    bindControls();
    connectCommands();
    OnInitDialog(argc, argv);
}

CBrevixDlg::~CBrevixDlg() {
    if (programReferences().mainWindow == this) programReferences() = {};
}

GridView& CBrevixDlg::grid() {
    return *grid_;
}

void CBrevixDlg::buildControls() {
    setWindowTitle(fromProgramText(kTitle));
    setFont(dialogFont());
    DialogUnits units(font());
    resize(units.toPixelsX(kWidthUnits), units.toPixelsY(kHeightUnits));
    buildDialogControls(*this, units, kControls, grid_);
}

void CBrevixDlg::bindControls() {
    startButton_ = findControl<QPushButton>(*this, kIdStart);
    exitButton_ = findControl<QPushButton>(*this, kIdExit);
    hostBox_ = findControl<QLineEdit>(*this, kIdHostBox);
    portBox_ = findControl<QLineEdit>(*this, kIdPortBox);
    refreshBox_ = findControl<QLineEdit>(*this, kIdRefreshBox);
    statusLine_ = findControl<QLineEdit>(*this, kIdStatusLine);
    hideLoggedOut_ = findControl<QCheckBox>(*this, kIdHideLoggedOut);
    queueFilterBox_ = findControl<QLineEdit>(*this, kIdQueueFilterBox);
    showHeldTime_ = findControl<QCheckBox>(*this, kIdShowHeldTime);
    disableRedrawSaveMode_ = findControl<QCheckBox>(*this, kIdDisableRedrawSaveMode);
}

void CBrevixDlg::connectCommands() {
    connect(startButton_, &QPushButton::clicked, this, [this] { core_.link.OnStart(); });
    connect(exitButton_, &QPushButton::clicked, this, &CBrevixDlg::reject);
    for (LayoutCheckBox box : {LayoutCheckBox::HideLoggedOut, LayoutCheckBox::ShowHeldTime,
                               LayoutCheckBox::DisableRedrawSaveMode}) {
        connect(checkBox(box), &QCheckBox::clicked, this, [this, box] { OnCheckBox(box); });
    }
    refreshTimer_.setObjectName(QStringLiteral("refreshTimer"));
    connect(&refreshTimer_, &QTimer::timeout, this, [this] { core_.rows.refreshAgentRows(); });
}

// The About entry has no system menu to go into here: it is offered in the window's context
// menu, after a separator, and on F1.
void CBrevixDlg::addAboutEntry() {
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    auto* about = new QAction(fromProgramText(kAboutEntry), this);
    about->setShortcut(QKeySequence(Qt::Key_F1));
    connect(about, &QAction::triggered, this, &CBrevixDlg::OnAbout);
    addAction(separator);
    addAction(about);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void CBrevixDlg::OnInitDialog(int argc, const char* const* argv) {
    addAboutEntry();
    setWindowIcon(programIcon());
    programReferences() = {this, grid_};
    core_.initialise(argc, argv, *this);
}

void CBrevixDlg::OnCheckBox(LayoutCheckBox box) {
    int32_t checked = checkBox(box)->isChecked() ? 1 : 0;
    switch (box) {
        case LayoutCheckBox::HideLoggedOut:
            core_.settings.hideLoggedOut = checked;
            core_.rows.refreshAgentRows();
            break;
        case LayoutCheckBox::ShowHeldTime:
            core_.settings.showHeldTime = checked;
            break;
        case LayoutCheckBox::DisableRedrawSaveMode:
            core_.settings.redrawSaveMode = 1 - checked;
            break;
    }
}

void CBrevixDlg::OnAbout() {
    CAboutDlg about(this);
    about.exec();
}

void CBrevixDlg::reject() {
    if (!askYesNo(kExitQuestion)) return;
    core_.link.closeForExit();
    QDialog::reject();
}

bool CBrevixDlg::event(QEvent* event) {
    markTakenOver(event);
    if (event->type() != AgentMsgEvent::kType) return QDialog::event(event);
    // An event of the same number from elsewhere is not ours to take apart.
    if (auto* message = dynamic_cast<AgentMsgEvent*>(event)) {
        int32_t kind = message->kind();
        core_.link.OnAgentMsg(message->release(), kind);
    }
    return true;
}

bool CBrevixDlg::postAgentMsg(char* block, int32_t kind) {
    auto* event = new AgentMsgEvent(block, kind);
    markHandedOver(event);
    QCoreApplication::postEvent(this, event);
    return true;
}

void CBrevixDlg::setStatusLine(const char* text) {
    statusLine_->setText(fromProgramText(text));
}

void CBrevixDlg::showMessage(const char* text) {
    QMessageBox box(QMessageBox::Warning, fromProgramText(kMessageBoxTitle), fromProgramText(text),
                    QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool CBrevixDlg::askYesNo(const char* question) {
    QMessageBox box(QMessageBox::Question, fromProgramText(kMessageBoxTitle),
                    fromProgramText(question), QMessageBox::Yes | QMessageBox::No, this);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() != QMessageBox::No;
}

void CBrevixDlg::readBox(ConnectBox box, char* out, std::size_t capacity) const {
    toProgramText(connectBox(box)->text(), out, capacity);
}

void CBrevixDlg::writeBox(ConnectBox box, const char* text) {
    connectBox(box)->setText(fromProgramText(text));
}

void CBrevixDlg::setConnectControlsEnabled(bool enabled) {
    QWidget* const controls[] = {startButton_, hostBox_, portBox_, refreshBox_};
    for (QWidget* control : controls) control->setEnabled(enabled);
}

void CBrevixDlg::startRefreshTimer(int32_t milliseconds) {
    refreshTimer_.start(milliseconds);
}

void CBrevixDlg::stopRefreshTimer() {
    refreshTimer_.stop();
}

GridView::PixelSize CBrevixDlg::getMainWindowSize() const {
    QSize outer = frameGeometry().size();
    return {outer.width(), outer.height()};
}

void CBrevixDlg::setMainWindowSize(int32_t width, int32_t height) {
    QSize frame = frameGeometry().size() - size();
    resize(width - frame.width(), height - frame.height());
}

bool CBrevixDlg::isChecked(LayoutCheckBox box) const {
    return checkBox(box)->isChecked();
}

void CBrevixDlg::setCheckedAndClick(LayoutCheckBox box, bool checked) {
    checkBox(box)->setChecked(checked);
    OnCheckBox(box);
}

void CBrevixDlg::readQueueFilter(char* out, std::size_t capacity) const {
    toProgramText(queueFilterBox_->text(), out, capacity);
}

void CBrevixDlg::setQueueFilter(const char* text) {
    queueFilterBox_->setText(fromProgramText(text));
}

QLineEdit* CBrevixDlg::connectBox(ConnectBox box) const {
    switch (box) {
        case ConnectBox::Host:
            return hostBox_;
        case ConnectBox::Port:
            return portBox_;
        case ConnectBox::Refresh:
            return refreshBox_;
    }
    return nullptr;
}

QCheckBox* CBrevixDlg::checkBox(LayoutCheckBox box) const {
    switch (box) {
        case LayoutCheckBox::HideLoggedOut:
            return hideLoggedOut_;
        case LayoutCheckBox::ShowHeldTime:
            return showHeldTime_;
        case LayoutCheckBox::DisableRedrawSaveMode:
            return disableRedrawSaveMode_;
    }
    return nullptr;
}

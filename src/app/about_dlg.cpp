#include "app/about_dlg.h"

#include <QPushButton>

#include "app/brevix_dlg.h"
#include "app/control_ids.h"
#include "app/dialog_template.h"
#include "app/dialog_units.h"
#include "app/grid_steps.h"
#include "app/program_references.h"

namespace {

constexpr int kWidthUnits = 334;
constexpr int kHeightUnits = 268;
constexpr int kUsageLineWidth = 280;
constexpr int kButtonWidth = 40;
constexpr int kButtonHeight = 14;
constexpr int kButtonRow = 214;

constexpr ControlTemplate kControls[] = {
    {ControlKind::Icon, kNoControlId, nullptr, {12, 13, 0, 0}, "Brevix"},
    {ControlKind::Text, kNoControlId, "Brevix Version 1.0", {50, 10, 119, 8}},
    {ControlKind::DefaultButton, kIdOk, "OK", {263, 4, 50, 16}},
    {ControlKind::Text,
     kNoControlId,
     "Usage: Brevix [-debug] -host<host> -port<port> -timer<dur-timer> [-colors] [-restore]",
     {13, 54, 300, 8}},
    {ControlKind::Text,
     kNoControlId,
     "<host> = Tavrel host name or IP address",
     {36, 67, kUsageLineWidth, 8}},
    {ControlKind::Text,
     kNoControlId,
     "<port> = Tavrel TCP/IP port number",
     {36, 77, kUsageLineWidth, 8}},
    {ControlKind::Text,
     kNoControlId,
     "<dur-timer> = refresh agent state duration timer, 1...60 (sec)",
     {36, 87, kUsageLineWidth, 8}},
    {ControlKind::Text,
     kNoControlId,
     "-colors = optional switch to enable agent/extension states coloring",
     {36, 97, kUsageLineWidth, 8}},
    {ControlKind::Text,
     kNoControlId,
     "-debug = enable debugging log file; for development only",
     {36, 107, kUsageLineWidth, 8}},
    {ControlKind::Text,
     kNoControlId,
     "-restore = restore previous saved table/window settings",
     {36, 116, kUsageLineWidth, 8}},
    {ControlKind::Text,
     kNoControlId,
     "External configuration file: must be named Brevix.ini in working directory",
     {14, 127, 300, 8}},
    {ControlKind::Text,
     kNoControlId,
     "AUXn=<customized-title>;    where n=6...11",
     {34, 137, kUsageLineWidth, 8}},
    {ControlKind::Text,
     kNoControlId,
     "extcolor=<state>:<RGB-forecolor>|<RGB-backcolor>;",
     {34, 147, kUsageLineWidth, 8}},
    {ControlKind::Text,
     kNoControlId,
     "agentcolor=<state>:<RGB-forecolor>|<RGB-backcolor>;",
     {34, 157, kUsageLineWidth, 8}},
    {ControlKind::Text,
     kNoControlId,
     "timethreshold=<state>:<fromVal>,<toVal>:<RGB-fcolor>|<RGB-bcolor>;",
     {34, 167, kUsageLineWidth, 8}},
    {ControlKind::Text,
     kNoControlId,
     "<RGB> = <Red>,<Green>,<Blue>               ( 0...255)",
     {45, 177, 270, 8}},
    {ControlKind::Text, kNoControlId, "Refer to sample Brevix.ini for detail", {45, 186, 270, 8}},
    {ControlKind::GroupBox, kNoControlId, "Agent table size controls", {20, 202, 178, 32}},
    {ControlKind::Button, kIdHeightPlus, "Height+", {26, kButtonRow, kButtonWidth, kButtonHeight}},
    {ControlKind::Button, kIdHeightMinus, "Height-", {68, kButtonRow, kButtonWidth, kButtonHeight}},
    {ControlKind::Button, kIdWidthPlus, "Width+", {110, kButtonRow, kButtonWidth, kButtonHeight}},
    {ControlKind::Button, kIdWidthMinus, "Width-", {152, kButtonRow, kButtonWidth, kButtonHeight}},
    {ControlKind::GroupBox, kNoControlId, "Font size controls", {206, 202, 92, 32}},
    {ControlKind::Button,
     kIdFontSizePlus,
     "FontSize+",
     {211, kButtonRow, kButtonWidth, kButtonHeight}},
    {ControlKind::Button,
     kIdFontSizeMinus,
     "FontSize-",
     {253, kButtonRow, kButtonWidth, kButtonHeight}},
    {ControlKind::Button, kIdSave, "Save", {202, 241, 42, 17}},
    {ControlKind::Button, kIdRestore, "Restore", {256, 241, 42, 17}},
};

struct StepButton {
    int id;
    GridStep step;
};

constexpr StepButton kStepButtons[] = {
    {kIdHeightPlus, GridStep::HeightPlus},     {kIdHeightMinus, GridStep::HeightMinus},
    {kIdWidthPlus, GridStep::WidthPlus},       {kIdWidthMinus, GridStep::WidthMinus},
    {kIdFontSizePlus, GridStep::FontSizePlus}, {kIdFontSizeMinus, GridStep::FontSizeMinus},
};

void stepMainGrid(GridStep step) {
    if (GridView* grid = programReferences().grid) applyGridStep(*grid, step);
}

LayoutFile* mainLayoutFile() {
    CBrevixDlg* window = programReferences().mainWindow;
    return window != nullptr ? &window->core().layout : nullptr;
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(QStringLiteral("About Brevix"));
    setFont(dialogFont());
    DialogUnits units(font());
    setFixedSize(units.toPixelsX(kWidthUnits), units.toPixelsY(kHeightUnits));
    buildDialogControls(*this, units, kControls);
    connectButtons();
}

void CAboutDlg::connectButtons() {
    connect(findControl<QPushButton>(*this, kIdOk), &QPushButton::clicked, this, &QDialog::accept);
    for (const StepButton& button : kStepButtons) {
        connect(findControl<QPushButton>(*this, button.id), &QPushButton::clicked, this,
                [step = button.step] { stepMainGrid(step); });
    }
    connect(findControl<QPushButton>(*this, kIdSave), &QPushButton::clicked, this, [] {
        if (LayoutFile* layout = mainLayoutFile()) layout->confirmAndSave();
    });
    connect(findControl<QPushButton>(*this, kIdRestore), &QPushButton::clicked, this, [] {
        if (LayoutFile* layout = mainLayoutFile()) layout->confirmAndRestore();
    });
}

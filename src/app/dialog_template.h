#pragma once

#include <QRect>
#include <QWidget>
#include <span>

#include "app/dialog_units.h"

enum class ControlKind {
    DefaultButton,  // push button that Enter presses when no other button has the focus
    Button,
    CentredText,  // static text, centred
    Text,         // static text, left-aligned
    Edit,         // one-line edit box that scrolls sideways
    DigitsEdit,   // the same, taking only digits as typed input
    CheckBox,     // toggles itself
    GroupBox,
    Icon,    // the program icon at its own size; only x and y are used
    Hosted,  // a widget the dialog made itself, placed here in template order
};

inline constexpr int kNoControlId = -1;
// The property that carries a control's id, so that controls can be found by it.
inline constexpr const char* kControlIdProperty = "controlId";

struct ControlTemplate {
    ControlKind kind;
    int id;
    const char* text;                      // the caption; nullptr for edit boxes
    QRect units;                           // x, y, width and height in dialog units
    const char* accessibleName = nullptr;  // nullptr: the caption names the control
};

// Creates the controls in template order as children of `dialog`, each placed and sized in
// dialog units; template order is also the tab order. `hosted` is the widget that stands at
// the Hosted entry, if the template has one: made without a parent, it becomes the dialog's
// child there.
void buildDialogControls(QWidget& dialog, const DialogUnits& units,
                         std::span<const ControlTemplate> controls, QWidget* hosted = nullptr);

// The control with the given id among the dialog's children, or nullptr.
QWidget* findControl(const QWidget& dialog, int id);

template <class Control>
Control* findControl(const QWidget& dialog, int id) {
    return qobject_cast<Control*>(findControl(dialog, id));
}

#include "app/dialog_template.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVariant>

#include "app/digits_only_filter.h"
#include "app/program_icon.h"

namespace {

// The size a template's icon control takes, whatever the dialog units.
constexpr int kIconPixels = 32;

QString caption(const ControlTemplate& control) {
    return QString::fromLatin1(control.text);
}

QWidget* makeButton(QWidget& dialog, const ControlTemplate& control) {
    auto* button = new QPushButton(caption(control), &dialog);
    button->setDefault(control.kind == ControlKind::DefaultButton);
    return button;
}

QWidget* makeText(QWidget& dialog, const ControlTemplate& control) {
    auto* label = new QLabel(caption(control), &dialog);
    // Texts such as "<host> = ..." are shown as they are, never read as markup.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(
        (control.kind == ControlKind::CentredText ? Qt::AlignHCenter : Qt::AlignLeft) |
        Qt::AlignTop);
    return label;
}

QWidget* makeEdit(QWidget& dialog, const ControlTemplate& control) {
    auto* edit = new QLineEdit(&dialog);
    if (control.kind == ControlKind::DigitsEdit)
        edit->installEventFilter(new DigitsOnlyFilter(edit));
    return edit;
}

QWidget* makeIcon(QWidget& dialog) {
    auto* label = new QLabel(&dialog);
    label->setPixmap(programIconPixmap(kIconPixels));
    return label;
}

QWidget* makeControl(QWidget& dialog, const ControlTemplate& control, QWidget* hosted) {
    switch (control.kind) {
        case ControlKind::DefaultButton:
        case ControlKind::Button:
            return makeButton(dialog, control);
        case ControlKind::CentredText:
        case ControlKind::Text:
            return makeText(dialog, control);
        case ControlKind::Edit:
        case ControlKind::DigitsEdit:
            return makeEdit(dialog, control);
        case ControlKind::CheckBox:
            return new QCheckBox(caption(control), &dialog);
        case ControlKind::GroupBox:
            return new QGroupBox(caption(control), &dialog);
        case ControlKind::Icon:
            return makeIcon(dialog);
        case ControlKind::Hosted:
            // Adopted here so that it stands in template order, for tabbing and stacking.
            if (hosted != nullptr) hosted->setParent(&dialog);
            return hosted;
    }
    return nullptr;
}

QRect placement(const ControlTemplate& control, const DialogUnits& units) {
    if (control.kind != ControlKind::Icon) return units.toPixels(control.units);
    return {units.toPixelsX(control.units.x()), units.toPixelsY(control.units.y()), kIconPixels,
            kIconPixels};
}

}  // namespace

void buildDialogControls(QWidget& dialog, const DialogUnits& units,
                         std::span<const ControlTemplate> controls, QWidget* hosted) {
    for (const ControlTemplate& control : controls) {
        QWidget* widget = makeControl(dialog, control, hosted);
        if (widget == nullptr) continue;
        widget->setProperty(kControlIdProperty, control.id);
        widget->setGeometry(placement(control, units));
        const char* name =
            control.accessibleName != nullptr ? control.accessibleName : control.text;
        if (name != nullptr) widget->setAccessibleName(QString::fromLatin1(name));
    }
}

QWidget* findControl(const QWidget& dialog, int id) {
    const QList<QWidget*> children = dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        QVariant value = child->property(kControlIdProperty);
        if (value.isValid() && value.toInt() == id) return child;
    }
    return nullptr;
}

#include "app/digits_only_filter.h"

#include <QKeyEvent>

namespace {

bool typesNonDigit(const QString& text) {
    for (QChar character : text) {
        if (character.isPrint() && !(character >= u'0' && character <= u'9')) return true;
    }
    return false;
}

}  // namespace

bool DigitsOnlyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        typesNonDigit(static_cast<QKeyEvent*>(event)->text())) {
        return true;
    }
    return QObject::eventFilter(watched, event);
}

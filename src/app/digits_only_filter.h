#pragma once

#include <QObject>

// Makes an edit box refuse typed characters other than digits. Only typing is filtered: the
// program may still write any text into the box, a minus sign included, and editing keys,
// shortcuts and pasting work as usual.
class DigitsOnlyFilter final : public QObject {
    Q_OBJECT

  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>
#include <string>
#include <vector>

#include "app/brevix_dlg.h"

// Answers the modal windows that open while it lives, as a user would: a message box with
// the button the test chose (a box without that button with OK), any other dialog but the
// main window by closing it. It records what was shown so the test can check it.
class ModalAnswerer {
  public:
    struct Shown {
        std::string text;  // a message box's text, or a dialog's title
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        Qt::TextFormat format = Qt::AutoText;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        std::vector<QMessageBox::StandardButton> buttons;
    };

    explicit ModalAnswerer(QMessageBox::StandardButton answer = QMessageBox::No) : answer_(answer) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { answerActive(); });
        timer_.start(5);
    }

    void answerWith(QMessageBox::StandardButton answer) { answer_ = answer; }

    std::vector<Shown> shown;

    std::vector<std::string> texts() const {
        std::vector<std::string> result;
        for (const Shown& s : shown) result.push_back(s.text);
        return result;
    }

  private:
    void answerActive() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || qobject_cast<CBrevixDlg*>(modal) != nullptr) return;
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            answerBox(*box);
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            Shown record;
            record.text = dialog->windowTitle().toStdString();
            shown.push_back(record);
            dialog->reject();
        }
    }

    void answerBox(QMessageBox& box) {
        Shown record;
        record.text = box.text().toStdString();
        record.defaultButton = box.standardButton(box.defaultButton());
        record.format = box.textFormat();
        record.icon = box.icon();
        for (QAbstractButton* button : box.buttons()) {
            record.buttons.push_back(box.standardButton(button));
        }
        shown.push_back(record);
        QAbstractButton* chosen = box.button(answer_);
        if (chosen == nullptr) chosen = box.button(QMessageBox::Ok);
        chosen->click();
    }

    QTimer timer_;
    QMessageBox::StandardButton answer_;
};

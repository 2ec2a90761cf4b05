#pragma once

#include <gtest/gtest.h>

#include <QLabel>
#include <QRect>
#include <QWidget>
#include <memory>
#include <vector>

#include "app/brevix_dlg.h"
#include "app/dialog_units.h"
#include "modal_answerer.h"
#include "support/fake_clock.h"
#include "support/temp_work_dir.h"

// A main window made in a scratch working directory with a clock the test sets. Every modal
// box is answered (No, or what the test chose) and recorded, so none can hang a test.
class WindowTest : public testing::Test {
  protected:
    std::unique_ptr<CBrevixDlg> makeWindow(std::vector<const char*> arguments = {}) {
        arguments.insert(arguments.begin(), "brevix");
        return std::make_unique<CBrevixDlg>(static_cast<int>(arguments.size()), arguments.data(),
                                            clock);
    }

    TempWorkDir workDir;
    FakeClock clock;
    ModalAnswerer modals;
};

// A widget's place and size converted back to the dialog units of its window's font.
inline QRect toDialogUnits(const QWidget& widget, const DialogUnits& units) {
    auto backX = [&](int pixels) { return qRound(pixels * 4.0 / units.baseX()); };
    auto backY = [&](int pixels) { return qRound(pixels * 8.0 / units.baseY()); };
    QRect pixels = widget.geometry();
    return {backX(pixels.x()), backY(pixels.y()), backX(pixels.width()), backY(pixels.height())};
}

// The dialog's static text with exactly this text, or nullptr.
inline QLabel* labelWithText(const QWidget& dialog, const char* text) {
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text() == QLatin1String(text)) return label;
    }
    return nullptr;
}

#pragma once

#include <QDialog>

// The About box: the program's version, its command line and options file, and a small
// control panel for the main window's grid (size, font size, layout save and restore). Its
// buttons act on the main window through the program-wide references while it is open.
class CAboutDlg final : public QDialog {
    Q_OBJECT

  public:
    explicit CAboutDlg(QWidget* parent = nullptr);

  private:
    void connectButtons();
};

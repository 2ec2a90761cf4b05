#pragma once

#include <QApplication>

// The application object. Qt takes its own switches off the command line when it is made;
// the rest is the program's.
class CBrevixApp final : public QApplication {
    Q_OBJECT

  public:
    CBrevixApp(int& argc, char** argv);

    // Checks that the socket library starts, then runs the main window until it ends.
    // Returns the process's exit code.
    int InitInstance(int argc, const char* const* argv);
};

#pragma once

// Where the plain C++ parts of the board speak to the user: the main window's status line,
// a modal message box with an OK button, and a Yes/No question with No as the default.
class MessageSink {
  public:
    virtual ~MessageSink() = default;
    virtual void setStatusLine(const char* text) = 0;
    virtual void showMessage(const char* text) = 0;
    // true unless the answer is No.
    virtual bool askYesNo(const char* question) = 0;
};

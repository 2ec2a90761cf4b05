#pragma once

#include <string>
#include <vector>

#include "settings/message_sink.h"

// Records what would reach the user; questions get the answer the test chose.
class RecordingMessageSink final : public MessageSink {
  public:
    std::string statusLine;
    std::vector<std::string> statusHistory;
    std::vector<std::string> messageBoxes;
    std::vector<std::string> questions;
    bool answer = true;

    void setStatusLine(const char* text) override {
        statusLine = text;
        statusHistory.push_back(text);
    }
    void showMessage(const char* text) override { messageBoxes.push_back(text); }
    bool askYesNo(const char* question) override {
        questions.push_back(question);
        return answer;
    }
};

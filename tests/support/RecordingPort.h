// RecordingPort: a UserPort for tests. It records every message and status
// text and answers questions from a script (default: the first button).
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "core/ui/UserPort.h"

namespace tessaly::test {

struct ShownMessage {
    MessageKind kind;
    std::string text;
    std::string caption;
    MessageButtons buttons;
    std::string key;
};

class RecordingPort : public UserPort {
public:
    MessageAnswer ShowMessage(MessageKind kind, const std::string& text, const std::string& caption,
                              MessageButtons buttons, const std::string& key = {}) override {
        messages.push_back({kind, text, caption, buttons, key});
        if (!answers.empty()) {
            auto a = answers.front();
            answers.pop_front();
            return a;
        }
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Yes;
    }
    void SetStatusText(int panel, const std::string& text) override {
        status.push_back(text);
        if (panel == 0) firstPanel = text;
    }

    std::vector<ShownMessage> messages;
    std::vector<std::string> status;
    std::string firstPanel;
    std::deque<MessageAnswer> answers;
};

}  // namespace tessaly::test

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

    std::optional<std::uint32_t> ChooseColor(const std::string& dialog,
                                             std::uint32_t initial) override {
        colorDialogs.push_back(dialog);
        if (colorAnswers.empty()) return std::nullopt;
        auto a = colorAnswers.front();
        colorAnswers.pop_front();
        return a;
    }

    bool OpenDocument(const std::string& target) override {
        opened.push_back(target);
        return true;
    }
    std::optional<std::string> DocumentsFolder() override { return documentsFolder; }

    // Keys of the messages shown, in order (empty for fixed texts).
    std::vector<std::string> Keys() const {
        std::vector<std::string> keys;
        for (const auto& m : messages) keys.push_back(m.key);
        return keys;
    }

    std::vector<ShownMessage> messages;
    std::vector<std::string> colorDialogs;
    std::deque<std::optional<std::uint32_t>> colorAnswers;  // nullopt = Cancel
    std::vector<std::string> status;
    std::string firstPanel;
    std::deque<MessageAnswer> answers;
    // Documents and addresses handed to the desktop, in order.
    std::vector<std::string> opened;
    // What DocumentsFolder answers (nullopt: there is none).
    std::optional<std::string> documentsFolder;
};

}  // namespace tessaly::test

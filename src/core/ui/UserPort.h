// UserPort: how the program talks to its user. The core, the renderer and the
// app layer never open a window; they call this interface, which the Qt window
// implements with real dialogs, the command-line tool answers without asking
// (messages to stderr, questions with their safe default), and tests replace
// with a recorder.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessaly {

enum class MessageKind { Error, Information, Warning, Confirmation, Plain };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

class UserPort {
public:
    virtual ~UserPort() = default;

    // A modal message box. `key` is the language key the text came from, or
    // empty for the few fixed texts; recorders use it to name what was shown.
    virtual MessageAnswer ShowMessage(MessageKind kind, const std::string& text,
                                      const std::string& caption, MessageButtons buttons,
                                      const std::string& key = {}) = 0;

    // Text of a status bar panel (0 is the first).
    virtual void SetStatusText(int panel, const std::string& text) = 0;
    // The same for a text looked up by its language key; recorders keep the
    // key. By default only the text is shown.
    virtual void ShowStatus(int panel, const std::string& text, const std::string& key) {
        SetStatusText(panel, text);
    }

    // A modal file dialog named `dialog` (its component name, such as
    // "SaveCoverDialog" or "OpenTemplateDialog"); the chosen path, or nullopt
    // when the user cancels. Without a user to ask, nothing is chosen.
    virtual std::optional<std::string> ChooseFileName(const std::string& dialog) {
        return std::nullopt;
    }

    // A modal colour dialog named `dialog` (its component name), starting at
    // `initial` (0x00BBGGRR); nullopt when the user cancels. Without a user
    // to ask, nothing is chosen.
    virtual std::optional<std::uint32_t> ChooseColor(const std::string& dialog,
                                                     std::uint32_t initial) {
        return std::nullopt;
    }

    // Hands a document (an absolute file path) or an address ("https:...",
    // "mailto:...") to the desktop, which opens it with the program that
    // handles it. Whether the desktop took it; without a desktop nothing opens.
    virtual bool OpenDocument(const std::string& target) { return false; }

    // The user's documents folder, made when missing; nullopt when there is
    // none and none can be made. By default from the XDG settings and $HOME.
    virtual std::optional<std::string> DocumentsFolder();

    // The messages of one operation (opening a project, say): between the
    // two calls a port that shows boxes may gather the error and warning
    // boxes that have only an OK button and show them together at the end,
    // one line each, instead of one modal box after another. Groups nest;
    // the outermost end shows them. By default each box is shown at once.
    virtual void BeginMessageGroup() {}
    virtual void EndMessageGroup() {}
};

// Opens a message group for the lifetime of the object.
class MessageGroup {
public:
    explicit MessageGroup(UserPort& port) : port_(port) { port_.BeginMessageGroup(); }
    ~MessageGroup() { port_.EndMessageGroup(); }
    MessageGroup(const MessageGroup&) = delete;
    MessageGroup& operator=(const MessageGroup&) = delete;

private:
    UserPort& port_;
};

// A port that shows nothing and answers every question with its safe default
// (OK, No, Cancel). Messages go to stderr when `verbose`.
class QuietPort : public UserPort {
public:
    explicit QuietPort(bool verbose = true) : verbose_(verbose) {}
    MessageAnswer ShowMessage(MessageKind kind, const std::string& text, const std::string& caption,
                              MessageButtons buttons, const std::string& key = {}) override;
    void SetStatusText(int panel, const std::string& text) override {}

private:
    bool verbose_;
};

}  // namespace tessaly

#include "core/ui/UserPort.h"

#include <iostream>

#include "core/mail/DocumentsFolder.h"

namespace tessaly {

std::optional<std::string> UserPort::DocumentsFolder() {
    if (auto folder = FindDocumentsFolder()) return folder->string();
    return std::nullopt;
}

MessageAnswer QuietPort::ShowMessage(MessageKind kind, const std::string& text,
                                     const std::string& caption, MessageButtons buttons,
                                     const std::string& key) {
    if (verbose_) {
        std::cerr << (caption.empty() ? std::string("Tessaly") : caption) << ": " << text << '\n';
    }
    switch (buttons) {
        case MessageButtons::Ok: return MessageAnswer::Ok;
        case MessageButtons::YesNo: return MessageAnswer::No;
        case MessageButtons::YesNoCancel: return MessageAnswer::Cancel;
    }
    return MessageAnswer::Ok;
}

}  // namespace tessaly

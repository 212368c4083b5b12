#include "app/mail/MailCommands.h"

#include "app/MainState.h"
#include "app/project/CoverProject.h"
#include "core/i18n/Messages.h"

namespace tessaly {

namespace {

std::string Text(MainState& state, const std::string& key) {
    const std::string& file = state.Session.LanguageFile;
    return file.empty() ? key : GetMessage(file, key);
}

}  // namespace

std::string SendByEmail(MainState& state, MailItem item,
                        const std::function<bool(const std::string& path)>& write) {
    const MailItemInfo& info = InfoOf(item);
    const auto folder = state.Port().DocumentsFolder();
    if (!folder || folder->empty()) {
        ShowMessageKey(state, "mydocsnotfound");
        return {};
    }
    std::string path = *folder;
    if (path.back() != '/') path += '/';
    path += info.FileName;
    if (!write(path)) return {};

    const std::string key(info.ConfirmationKey);
    state.Port().ShowMessage(MessageKind::Information, Text(state, key) + "\r\n" + path, "",
                             MessageButtons::Ok, key);
    state.Port().OpenDocument(MailtoUrl(item, path));
    return path;
}

std::string SendeCoverbyemail1Click(MainState& state) {
    return SendByEmail(state, MailItem::ECover, [&state](const std::string& path) {
        return WriteCoverProject(state, path);
    });
}

std::string SendTemplatebyemail1Click(MainState& state) {
    return SendByEmail(state, MailItem::Template,
                       [&state](const std::string& path) { return WriteTemplate(state, path); });
}

}  // namespace tessaly

#include "core/mail/MailLinks.h"

#include <array>
#include <filesystem>
#include <string_view>

namespace tessaly {

const MailItemInfo& InfoOf(MailItem item) {
    static const std::array<MailItemInfo, 3> items = {{
        {"Screenshot.bmp", "imagesavedir", "Tessaly Image",
         "Check out MyDocuments folder to attach the screenshot"},
        {"eCover.eco", "ecoversaved", "Tessaly eCover",
         "Check out MyDocuments folder to attach the eCover: "},
        {"Template.tem", "ecoversaved", "Tessaly eCover",
         "Check out MyDocuments folder to attach the template: "},
    }};
    return items[static_cast<std::size_t>(item)];
}

std::string MailLinkText(MailItem item, const std::string& path) {
    const MailItemInfo& info = InfoOf(item);
    std::string text = "mailto: ?subject=";
    text += info.Subject;
    text += "&body=";
    text += info.Body;
    text += "\r\n";
    text += path;
    return text;
}

std::string MailtoUrl(MailItem item, const std::string& path) {
    const MailItemInfo& info = InfoOf(item);
    std::string body(info.Body);
    // The file is where the documents folder really is, whatever it is
    // called here: the mail names that folder.
    constexpr std::string_view kNamedFolder = "MyDocuments folder";
    const std::string folder = std::filesystem::path(path).parent_path().string();
    if (const std::size_t at = body.find(kNamedFolder); at != std::string::npos && !folder.empty())
        body.replace(at, kNamedFolder.size(), "the folder " + folder);
    body += "\r\n";
    body += path;
    return "mailto:?subject=" + PercentEncode(info.Subject) + "&body=" + PercentEncode(body);
}

std::string PercentEncode(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size() * 3);
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                                (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' ||
                                c == '~';
        if (unreserved) {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
        }
    }
    return out;
}

}  // namespace tessaly

// MailLinks: the three things the program hands to the user's mail program
// (a picture, a project, a template). Each is written under a fixed name
// into the documents folder; a "mailto:" link then opens a new message whose
// body asks the user to attach that file. The link texts are built here as
// plain strings so that they can be checked without a desktop.
#pragma once

#include <string>
#include <string_view>

namespace tessaly {

enum class MailItem { Image, ECover, Template };

struct MailItemInfo {
    std::string_view FileName;         // written into the documents folder
    std::string_view ConfirmationKey;  // message telling the user where it is
    std::string_view Subject;
    std::string_view Body;  // followed by a line break and the file's path
};

const MailItemInfo& InfoOf(MailItem item);

// The message's wording as the user reads it: "mailto: ?subject=...&body=",
// the body, a carriage return and line feed, and `path`, all unencoded.
std::string MailLinkText(MailItem item, const std::string& path);

// The same message as a valid "mailto:" URL for the desktop's handler:
// no recipient, subject and body percent-encoded (blanks as %20, the line
// break as %0D%0A), so that handlers which parse strictly accept it. The
// body names the folder the file is really in.
std::string MailtoUrl(MailItem item, const std::string& path);

// Percent-encodes every byte except the unreserved characters of URLs
// (letters, digits, "-", ".", "_", "~").
std::string PercentEncode(std::string_view text);

}  // namespace tessaly

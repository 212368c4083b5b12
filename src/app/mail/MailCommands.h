// MailCommands: "Send Image by email", "Send eCover by email" and the
// template's counterpart. The program does not attach files itself: it
// writes the file under a fixed name into the user's documents folder, tells
// the user where it is and opens a new message in the desktop's mail program
// whose body asks the user to attach that file.
#pragma once

#include <functional>
#include <string>

#include "core/mail/MailLinks.h"

namespace tessaly {

class MainState;

// Writes `item` to its file in the documents folder with `write` (which
// shows its own messages and returns whether the file was written), shows
// where it is and opens the mail link. Stops with "mydocsnotfound" when
// there is no documents folder, and after the writer's own message when it
// fails: the user is never told of a file that was not written. Returns
// the path written, or "" when nothing was.
std::string SendByEmail(MainState& state, MailItem item,
                        const std::function<bool(const std::string& path)>& write);

// The project and template commands, written by the project writers. (The
// picture is drawn by the window, which passes its capture as the writer.)
std::string SendeCoverbyemail1Click(MainState& state);
std::string SendTemplatebyemail1Click(MainState& state);

}  // namespace tessaly

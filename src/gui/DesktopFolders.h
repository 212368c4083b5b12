// DesktopFolders: the user's own Pictures, Documents and home folders as the
// desktop names them, where the file dialogs start before any folder is
// remembered.
#pragma once

#include "app/files/DialogFolders.h"

namespace tessaly {

DialogStartFolders DesktopUserFolders();

}  // namespace tessaly

// EditorIcons: toolbar icons for the editor. The desktop's icon theme is used
// when it has the icon; otherwise a simple drawing of our own stands in, so
// the toolbar never shows blank buttons on a bare system.
#pragma once

#include <QIcon>
#include <QString>

namespace tessaly::editor {

// `name` is a freedesktop icon name ("document-open", "object-rotate-left", ...).
QIcon EditorIcon(const QString& name);

}  // namespace tessaly::editor

// QtComponentTree: the language engine's component tree over Qt's object
// tree. The application object owns the program's windows (found by
// objectName: "mForm", "oForm", "dForm", ...); a window owns every widget,
// menu and action inside it by objectName, however deeply nested, but not
// the contents of other windows parented to it. A "Caption" is what the
// control shows as its own text: a label's or button's text, a group box's
// title, a window's title, a tab page's tab text, an action's text, a menu's
// title.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>
#include <vector>

#include "core/i18n/Language.h"

namespace tessaly {

class QtComponentTree {
  public:
    QtComponentTree();
    ~QtComponentTree();
    QtComponentTree(const QtComponentTree&) = delete;
    QtComponentTree& operator=(const QtComponentTree&) = delete;

    // Windows the application object owns, searched before the other
    // top-level windows of the process.
    void AddWindow(QWidget* window);

    // The application object, where every path starts.
    LanguageComponent& Application();

    // The component for a Qt object (made once, kept while the tree lives).
    LanguageComponent& ComponentOf(QObject* object);

    const std::vector<QPointer<QWidget>>& Windows() const { return windows_; }

  private:
    class ApplicationNode;
    class ObjectNode;
    // Receives the objects' destruction notices; going first, it goes last,
    // which disconnects them before nothing is left to update.
    QObject context_;
    std::vector<QPointer<QWidget>> windows_;
    std::unique_ptr<ApplicationNode> application_;
    std::map<QObject*, std::unique_ptr<ObjectNode>> nodes_;
};

}  // namespace tessaly

#include "gui/QtComponentTree.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextDocument>
#include <QToolTip>
#include <QFontMetrics>

namespace tessaly {

namespace {

bool Named(const QObject* object, std::string_view name) {
    return SameComponentName(object->objectName().toStdString(), name);
}

QString ToQ(const std::string& text) {
    return QString::fromStdString(text);
}

// A window inside another window (a dialog parented to the main window) owns
// its own controls; a menu is a popup window but belongs to its window.
bool IsOtherWindow(const QObject* object) {
    const auto* widget = qobject_cast<const QWidget*>(object);
    return widget && widget->isWindow() && !qobject_cast<const QMenu*>(widget);
}

// Depth-first, in child order: the first object named `name` inside `owner`.
QObject* FindInside(QObject* owner, std::string_view name) {
    for (QObject* child : owner->children()) {
        if (IsOtherWindow(child)) continue;
        if (Named(child, name)) return child;
        if (QObject* found = FindInside(child, name)) return found;
    }
    return nullptr;
}

// The tab widget that shows `widget` as one of its pages, if any.
QTabWidget* TabOwner(QWidget* widget) {
    QWidget* stack = widget->parentWidget();
    auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    return tabs && tabs->indexOf(widget) >= 0 ? tabs : nullptr;
}

bool Is(std::string_view property, std::string_view name) {
    return SameComponentName(property, name);
}

// A long plain tooltip in a box of a readable width, where Qt wraps it,
// instead of one line running off the window (a bare paragraph would wrap
// into a narrow column).
QString TooltipMarkup(const QString& text) {
    constexpr int kWidth = 300;
    const int oneLine = QFontMetrics(QToolTip::font()).horizontalAdvance(text);
    if (oneLine <= kWidth * 5 / 4 || Qt::mightBeRichText(text)) return text;
    return QString("<table width=\"%1\" cellspacing=\"0\" cellpadding=\"0\"><tr><td>")
               .arg(kWidth) +
           text.toHtmlEscaped() + "</td></tr></table>";
}

}  // namespace

class QtComponentTree::ObjectNode : public LanguageComponent {
  public:
    ObjectNode(QtComponentTree& tree, QObject* object) : tree_(tree), object_(object) {}

    LanguageComponent* FindOwned(std::string_view name) override {
        if (!object_ || name.empty()) return nullptr;
        QObject* found = FindInside(object_, name);
        return found ? &tree_.ComponentOf(found) : nullptr;
    }

    LanguagePropertyKind PropertyKind(std::string_view property) const override {
        QObject* o = object_;
        if (!o) return LanguagePropertyKind::None;
        auto* widget = qobject_cast<QWidget*>(o);
        if (Is(property, "Caption")) {
            if (qobject_cast<QAction*>(o) || qobject_cast<QMenu*>(o) || qobject_cast<QLabel*>(o) ||
                qobject_cast<QAbstractButton*>(o) || qobject_cast<QGroupBox*>(o) ||
                (widget && (widget->isWindow() || TabOwner(widget))))
                return LanguagePropertyKind::Text;
            return LanguagePropertyKind::None;
        }
        if (Is(property, "Hint")) {
            return widget || qobject_cast<QAction*>(o) ? LanguagePropertyKind::Text
                                                       : LanguagePropertyKind::None;
        }
        if (Is(property, "Items")) {
            return qobject_cast<QComboBox*>(o) || qobject_cast<QListWidget*>(o)
                       ? LanguagePropertyKind::StringList
                       : LanguagePropertyKind::None;
        }
        if (Is(property, "Lines")) {
            return qobject_cast<QPlainTextEdit*>(o) ? LanguagePropertyKind::StringList
                                                    : LanguagePropertyKind::None;
        }
        if (Is(property, "ItemIndex")) {
            return qobject_cast<QComboBox*>(o) ? LanguagePropertyKind::Integer
                                               : LanguagePropertyKind::None;
        }
        if (Is(property, "Width") || Is(property, "Height")) {
            return widget ? LanguagePropertyKind::Integer : LanguagePropertyKind::None;
        }
        return LanguagePropertyKind::None;
    }

    std::string PropertyText(std::string_view property) const override {
        QObject* o = object_;
        if (!o || PropertyKind(property) != LanguagePropertyKind::Text) return {};
        if (Is(property, "Hint")) {
            if (auto* action = qobject_cast<QAction*>(o)) return action->toolTip().toStdString();
            return static_cast<QWidget*>(o)->toolTip().toStdString();
        }
        if (auto* action = qobject_cast<QAction*>(o)) return action->text().toStdString();
        if (auto* menu = qobject_cast<QMenu*>(o)) return menu->title().toStdString();
        if (auto* label = qobject_cast<QLabel*>(o)) return label->text().toStdString();
        if (auto* button = qobject_cast<QAbstractButton*>(o)) return button->text().toStdString();
        if (auto* group = qobject_cast<QGroupBox*>(o)) return group->title().toStdString();
        auto* widget = static_cast<QWidget*>(o);
        if (QTabWidget* tabs = TabOwner(widget))
            return tabs->tabText(tabs->indexOf(widget)).toStdString();
        return widget->windowTitle().toStdString();
    }

    void SetText(std::string_view property, const std::string& value) override {
        QObject* o = object_;
        if (!o) return;
        const QString text = ToQ(value);
        if (Is(property, "Hint")) {
            if (auto* action = qobject_cast<QAction*>(o))
                action->setToolTip(text);
            else if (auto* widget = qobject_cast<QWidget*>(o))
                widget->setToolTip(TooltipMarkup(text));
            return;
        }
        if (auto* action = qobject_cast<QAction*>(o)) {
            action->setText(text);
        } else if (auto* menu = qobject_cast<QMenu*>(o)) {
            menu->setTitle(text);
        } else if (auto* label = qobject_cast<QLabel*>(o)) {
            label->setText(text);
        } else if (auto* button = qobject_cast<QAbstractButton*>(o)) {
            button->setText(text);
        } else if (auto* group = qobject_cast<QGroupBox*>(o)) {
            group->setTitle(text);
        } else if (auto* widget = qobject_cast<QWidget*>(o)) {
            if (QTabWidget* tabs = TabOwner(widget))
                tabs->setTabText(tabs->indexOf(widget), text);
            else
                widget->setWindowTitle(text);
        }
    }

    void SetInteger(std::string_view property, int value) override {
        QObject* o = object_;
        if (!o) return;
        if (auto* combo = qobject_cast<QComboBox*>(o); combo && Is(property, "ItemIndex")) {
            combo->setCurrentIndex(value);
        } else if (auto* widget = qobject_cast<QWidget*>(o)) {
            if (Is(property, "Width")) widget->resize(value, widget->height());
            if (Is(property, "Height")) widget->resize(widget->width(), value);
        }
    }

    void SetStringList(std::string_view property, const std::vector<std::string>& items) override {
        QStringList list;
        for (const std::string& item : items) list << ToQ(item);
        QObject* o = object_;
        if (!o) return;
        if (auto* combo = qobject_cast<QComboBox*>(o)) {
            // The selection keeps its index where the new list has one.
            const int index = combo->currentIndex();
            combo->clear();
            combo->addItems(list);
            combo->setCurrentIndex(index < combo->count() ? index : -1);
        } else if (auto* listWidget = qobject_cast<QListWidget*>(o)) {
            listWidget->clear();
            listWidget->addItems(list);
        } else if (auto* edit = qobject_cast<QPlainTextEdit*>(o)) {
            edit->setPlainText(list.join('\n'));
        }
    }

  private:
    QtComponentTree& tree_;
    QPointer<QObject> object_;
};

class QtComponentTree::ApplicationNode : public LanguageComponent {
  public:
    explicit ApplicationNode(QtComponentTree& tree) : tree_(tree) {}

    LanguageComponent* FindOwned(std::string_view name) override {
        if (name.empty()) return nullptr;
        for (const QPointer<QWidget>& window : tree_.windows_)
            if (window && Named(window, name)) return &tree_.ComponentOf(window);
        // Then the other dialogs of the program's windows (made by their own
        // code, parented to a window), then any other window of the process.
        for (const QPointer<QWidget>& window : tree_.windows_) {
            if (!window) continue;
            for (QWidget* child : window->findChildren<QWidget*>())
                if (IsOtherWindow(child) && Named(child, name)) return &tree_.ComponentOf(child);
        }
        for (QWidget* window : QApplication::topLevelWidgets())
            if (!qobject_cast<QMenu*>(window) && Named(window, name))
                return &tree_.ComponentOf(window);
        return nullptr;
    }
    // The application's own title is its display name.
    LanguagePropertyKind PropertyKind(std::string_view property) const override {
        return Is(property, "Title") ? LanguagePropertyKind::Text : LanguagePropertyKind::None;
    }
    std::string PropertyText(std::string_view property) const override {
        return Is(property, "Title") ? QGuiApplication::applicationDisplayName().toStdString()
                                     : std::string();
    }
    void SetText(std::string_view property, const std::string& value) override {
        if (Is(property, "Title")) QGuiApplication::setApplicationDisplayName(ToQ(value));
    }
    void SetInteger(std::string_view, int) override {}
    void SetStringList(std::string_view, const std::vector<std::string>&) override {}

  private:
    QtComponentTree& tree_;
};

QtComponentTree::QtComponentTree() : application_(std::make_unique<ApplicationNode>(*this)) {}

QtComponentTree::~QtComponentTree() = default;

void QtComponentTree::AddWindow(QWidget* window) {
    windows_.emplace_back(window);
}

LanguageComponent& QtComponentTree::Application() {
    return *application_;
}

LanguageComponent& QtComponentTree::ComponentOf(QObject* object) {
    std::unique_ptr<ObjectNode>& node = nodes_[object];
    if (!node) {
        node = std::make_unique<ObjectNode>(*this, object);
        // A destroyed object's address may be reused by a new one.
        QObject::connect(object, &QObject::destroyed, &context_,
                         [this, object] { nodes_.erase(object); });
    }
    return *node;
}

}  // namespace tessaly

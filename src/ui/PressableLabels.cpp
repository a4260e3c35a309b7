#include "PressableLabels.h"

#include "ControlFactory.h"
#include "Decoration.h"
#include "Label.h"

#include "core/History.h"

#include <QAccessibleWidget>
#include <QCoreApplication>

using ControlFactory::IndexedName;

namespace {

// The labels a click acts on, by design name, and what a screen reader is to take them for.
QAccessible::Role PressableRole(const QString& name) {
    if (name.startsWith(QLatin1String("Todayis_")))
        return QAccessible::Link;
    if (name.startsWith(QLatin1String("ChooseDate_")) || name.startsWith(QLatin1String("History_")) ||
        name == QLatin1String("AboutMe") || name.startsWith(QLatin1String("lblnumber_")) ||
        name == QLatin1String("LblTitle_1"))
        return QAccessible::Button;
    return QAccessible::NoRole;
}

class PressableLabelInterface : public QAccessibleWidget {
public:
    PressableLabelInterface(Label* label, QAccessible::Role role) : QAccessibleWidget(label, role) {}

    QString text(QAccessible::Text kind) const override {
        if (kind != QAccessible::Name)
            return QAccessibleWidget::text(kind);
        const QString shown = static_cast<Label*>(widget())->text().trimmed();
        const QString name = widget()->objectName();
        if (!widget()->accessibleName().isEmpty())
            return widget()->accessibleName();
        if (!name.startsWith(QLatin1String("History_")))
            return shown;
        return QStringLiteral("历史记录 %1：%2")
            .arg(name.mid(name.indexOf('_') + 1).toInt() + 1)
            .arg(shown.isEmpty() ? QStringLiteral("空") : shown);
    }
    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        // Queued: a press may open a modal box, which must not hold up the screen reader's call.
        // A date field opens the picker as from the keyboard, with the focus in it; the others act
        // as clicked.
        auto* label = static_cast<Label*>(widget());
        if (action == pressAction())
            QMetaObject::invokeMethod(label,
                                      label->objectName().startsWith(QLatin1String("ChooseDate_"))
                                          ? &Label::keyClicked
                                          : &Label::clicked,
                                      Qt::QueuedConnection);
        else
            QAccessibleWidget::doAction(action);
    }
};

// A container whose lines and outlines are painted decoration, not content.
class DecoratedContainerInterface : public QAccessibleWidget {
public:
    explicit DecoratedContainerInterface(QWidget* widget)
        : QAccessibleWidget(widget, widget->isWindow() ? QAccessible::Window : QAccessible::Client) {}

    int childCount() const override { return Children().size(); }
    QAccessibleInterface* child(int index) const override {
        const QWidgetList children = Children();
        return index >= 0 && index < children.size()
                   ? QAccessible::queryAccessibleInterface(children.at(index))
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child ? Children().indexOf(child->object()) : -1;
    }

private:
    QWidgetList Children() const {
        QWidgetList children;
        for (QObject* object : widget()->children()) {
            auto* child = qobject_cast<QWidget*>(object);
            if (child && !child->isWindow() && !qobject_cast<Decoration*>(child))
                children << child;
        }
        return children;
    }
};

// Interfaces are made when a control first changes, before the window is complete: the choice
// rests on what a control is from its creation on, its class and design name.
QAccessibleInterface* Factory(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (className == QLatin1String("Label")) {
        const QAccessible::Role role = PressableRole(widget->objectName());
        return role == QAccessible::NoRole ? nullptr
                                           : new PressableLabelInterface(static_cast<Label*>(widget), role);
    }
    if (className == QLatin1String("MainWindow") || className == QLatin1String("Frame") ||
        className == QLatin1String("PickerPanel"))
        return new DecoratedContainerInterface(widget);
    return nullptr;
}

void InstallFactory() {
    QAccessible::installFactory(Factory);
}
Q_COREAPP_STARTUP_FUNCTION(InstallFactory)

// `clicks`: Enter and Space do what a click does (the date fields have their own keyboard opening).
Label* MakePressable(QWidget* window, const QString& name, bool clicks = true) {
    auto* label = window->findChild<Label*>(name);
    label->setFocusPolicy(Qt::TabFocus);
    if (clicks)
        QObject::connect(label, &Label::keyClicked, label, &Label::clicked);
    return label;
}

} // namespace

namespace PressableLabels {

void SetUp(QWidget* window, QWidget* last) {
    for (int field = 1; field <= 3; ++field)
        MakePressable(window, IndexedName("ChooseDate", field), false);
    // In the order they stand, top to bottom.
    QList<Label*> order = {MakePressable(window, IndexedName("Todayis", 0))};
    for (int k = 0; k < History::SlotCount; ++k) {
        Label* entry = MakePressable(window, IndexedName("History", k));
        // An empty entry still shows where the focus is.
        entry->setMinimumWidth(entry->height());
        order << entry;
    }
    order << MakePressable(window, IndexedName("Todayis", 1))
          << MakePressable(window, QStringLiteral("AboutMe"));
    for (Label* label : order) {
        QWidget::setTabOrder(last, label);
        last = label;
    }
}

} // namespace PressableLabels

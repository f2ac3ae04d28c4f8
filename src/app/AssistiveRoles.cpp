#include "AssistiveRoles.h"

#include "Lamp.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QTabBar>

namespace {

// One tab of a tab bar.
class TabAccessible : public QAccessibleInterface
{
public:
    TabAccessible(QTabBar *bar, int index) : m_bar(bar), m_index(index) {}

    bool isValid() const override { return m_bar && m_index < m_bar->count(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_bar->window()->windowHandle(); }
    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_bar);
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text kind) const override
    {
        // The text without the marker of its Alt shortcut.
        return kind == QAccessible::Name ? m_bar->tabText(m_index).remove(u'&') : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        const QRect tab = m_bar->tabRect(m_index);
        return QRect(m_bar->mapToGlobal(tab.topLeft()), tab.size());
    }
    QAccessible::Role role() const override { return QAccessible::PageTab; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        const bool current = m_index == m_bar->currentIndex();
        state.focusable = state.selectable = true;
        state.selected = current;
        state.focused = current && m_bar->hasFocus();
        return state;
    }

private:
    QPointer<QTabBar> m_bar;
    int m_index;
};

// A tab bar, whose tabs keep one interface each for their whole life, as
// assistive technology expects of the objects it is told about.
class TabBarAccessible : public QAccessibleWidget
{
public:
    explicit TabBarAccessible(QTabBar *bar) : QAccessibleWidget(bar, QAccessible::PageTabList) {}
    ~TabBarAccessible() override
    {
        for (const QAccessible::Id id : std::as_const(m_tabs))
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return bar()->count(); }
    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= bar()->count())
            return nullptr;
        if (const auto known = m_tabs.constFind(index); known != m_tabs.cend())
            return QAccessible::accessibleInterface(*known);
        auto *tab = new TabAccessible(bar(), index);
        m_tabs.insert(index, QAccessible::registerAccessibleInterface(tab));
        return tab;
    }
    int indexOfChild(const QAccessibleInterface *tab) const override
    {
        return m_tabs.key(QAccessible::uniqueId(const_cast<QAccessibleInterface *>(tab)), -1);
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const int index = bar()->tabAt(bar()->mapFromGlobal(QPoint(x, y)));
        return index < 0 ? nullptr : child(index);
    }
    QAccessibleInterface *focusChild() const override
    {
        return bar()->hasFocus() ? child(bar()->currentIndex()) : nullptr;
    }

private:
    QTabBar *bar() const { return static_cast<QTabBar *>(widget()); }

    mutable QHash<int, QAccessible::Id> m_tabs;
};

QAccessibleInterface *truly(const QString &className, QObject *object)
{
    if (className == QLatin1String("Lamp") && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::StatusBar);
    if (className == QLatin1String("QTabBar") && object->isWidgetType())
        return new TabBarAccessible(static_cast<QTabBar *>(object));
    return nullptr;
}

} // namespace

void installAssistiveRoles()
{
    static const bool installed = (QAccessible::installFactory(truly), true);
    Q_UNUSED(installed);
}

#include "Decoration.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace {

class Decoration : public QAccessibleWidget
{
public:
    explicit Decoration(QWidget *widget) : QAccessibleWidget(widget) {}

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.invisible = true;
        return state;
    }
};

// Asked for each class of an object, most derived first, until one gives
// an interface: a plain frame reaches "QFrame" only when no class of its
// own (a label, a scroll area) has given one before.
QAccessibleInterface *decoration(const QString &className, QObject *object)
{
    const bool decorative =
        className == QLatin1String("StraightLine") || className == QLatin1String("QFrame");
    return decorative && object->isWidgetType() ? new Decoration(static_cast<QWidget *>(object))
                                                : nullptr;
}

} // namespace

void hideDecorationsFromAssistiveTechnology()
{
    static const bool installed = (QAccessible::installFactory(decoration), true);
    Q_UNUSED(installed);
}

#include "FieldMark.h"

#include <QEvent>
#include <QLineEdit>
#include <QPainter>

FieldMark::FieldMark(QLineEdit *field) : QWidget(field)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(field->rect());
    field->installEventFilter(this);
    hide();
}

void FieldMark::setKind(operations::SentValue::Kind kind)
{
    m_kind = kind;
    setVisible(kind != operations::SentValue::Kind::AsShown);
    update();
}

bool FieldMark::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize)
        setGeometry(static_cast<QWidget *>(watched)->rect());
    return false;
}

void FieldMark::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const bool replaced = m_kind == operations::SentValue::Kind::Replaced;
    // Drawn inside the field's own edge.
    const qreal width = replaced ? 2.0 : 1.0;
    QPen pen(replaced ? QColor(0xC0, 0x00, 0x00) : QColor(0x60, 0x60, 0x60), width);
    pen.setStyle(replaced ? Qt::SolidLine : Qt::DashLine);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.drawRect(QRectF(rect()).adjusted(width / 2, width / 2, -width / 2, -width / 2));
}

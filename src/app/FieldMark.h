#pragma once

#include "SentValues.h"

#include <QWidget>

class QLineEdit;

// A frame drawn just inside a setting field whose text is not what Send
// would put on the line: solid red where Send replaces what was typed, a
// quieter dashed grey where a 0 goes out as its slot's default, the design's
// normal state. It is no fill colour of the design, lets the mouse through
// and follows the field's size.
class FieldMark : public QWidget
{
    Q_OBJECT

public:
    explicit FieldMark(QLineEdit *field);

    // Shows the mark for `kind`; AsShown hides it.
    void setKind(operations::SentValue::Kind kind);
    operations::SentValue::Kind kind() const { return m_kind; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    operations::SentValue::Kind m_kind = operations::SentValue::Kind::AsShown;
};

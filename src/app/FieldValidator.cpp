#include "FieldValidator.h"

#include "FieldEditors.h"

#include <QLineEdit>

FieldValidator::FieldValidator(QLineEdit *field, bool (*allowed)(char16_t), int limit)
    : QValidator(field), m_field(field), m_allowed(allowed), m_limit(limit),
      m_previous(field->text())
{
    // Read the field itself: an editor that rewrites the field re-enters
    // textChanged, and the outer call's argument is stale by then.
    connect(field, &QLineEdit::textChanged, this, [this, field] { m_previous = field->text(); });
    field->setValidator(this);
}

QValidator::State FieldValidator::validate(QString &input, int &pos) const
{
    // setText() clears the undo history before validating, while every user
    // edit has just been recorded there.
    if (!m_field->isUndoAvailable())
        return Acceptable;
    const KeptEdit kept = keptEdit(m_previous, input, m_allowed, m_limit);
    if (!kept.dropped.isEmpty()) {
        // The line edit takes the text as changed here.
        input = kept.text;
        pos = int(kept.cursor);
        if (dropped)
            dropped(kept.dropped);
    }
    return Acceptable;
}

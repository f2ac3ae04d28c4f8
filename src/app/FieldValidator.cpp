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

QValidator::State FieldValidator::validate(QString &input, int &) const
{
    // setText() clears the undo history before validating, while every user
    // edit has just been recorded there. A program-set text must count as
    // valid: QLineEdit stops undoing invalid edits after an invalid state.
    if (!m_field->isUndoAvailable())
        return Acceptable;
    return userEditAllowed(m_previous, input, m_allowed, m_limit) ? Acceptable : Invalid;
}

#pragma once

#include <QString>
#include <QValidator>

class QLineEdit;

// Guards a text box against user edits that bypass its key filter (the
// context menu's Paste, drag and drop): an edit may bring in no character the
// field refuses and, with a limit, may not grow the text past it. Text the
// program sets with setText() is always accepted whole.
class FieldValidator : public QValidator
{
    Q_OBJECT

public:
    FieldValidator(QLineEdit *field, bool (*allowed)(char16_t), int limit = -1);

    State validate(QString &input, int &pos) const override;

private:
    const QLineEdit *m_field;
    bool (*m_allowed)(char16_t);
    int m_limit;
    QString m_previous; // the field's text before the edit being validated
};

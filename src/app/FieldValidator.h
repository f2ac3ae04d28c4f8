#pragma once

#include <QString>
#include <QValidator>

#include <functional>

class QLineEdit;

// Holds a text box's user edits to its characters: whatever an edit brings
// in (typing, pasting, dropping), the characters the field refuses are
// dropped and, with a limit, those that would grow the text past it; the
// rest is kept (see keptEdit()). Text the program sets with setText() is
// always accepted whole.
class FieldValidator : public QValidator
{
    Q_OBJECT

public:
    FieldValidator(QLineEdit *field, bool (*allowed)(char16_t), int limit = -1);

    State validate(QString &input, int &pos) const override;

    // Runs with the characters an edit lost, when it lost any.
    std::function<void(const QString &dropped)> dropped;

private:
    const QLineEdit *m_field;
    bool (*m_allowed)(char16_t);
    int m_limit;
    QString m_previous; // the field's text before the edit being validated
};

#include "SettingsForm.h"

#include "FieldEditors.h"

SettingsForm::SettingsForm()
{
    m_texts.fill(QStringLiteral("0"));
}

void SettingsForm::setText(int field, const QString &text)
{
    if (m_texts[field] == text)
        return;
    m_texts[field] = text;
    if (changed)
        changed(field);
    // Read the text again: the view may have re-entered with a rewrite.
    const FieldEdit edit = editField(settingFields()[field], m_texts[field]);
    for (const SlotWrite &write : edit.writes)
        m_table.setSlot(write.slot, write.text);
    if (edit.rewrite)
        setText(field, *edit.rewrite);
}

void SettingsForm::fillDefaultRow(int row)
{
    const QStringList texts = defaultRowTexts();
    for (int i = 0; i < ButtonRowLength; ++i)
        setText(buttonRowStart(row) + i, texts.at(i));
}

void SettingsForm::toggleDisable(int field)
{
    setText(field, toggledDisableText(m_texts[field]));
}

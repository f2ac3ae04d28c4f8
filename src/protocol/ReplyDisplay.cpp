#include "ReplyDisplay.h"

#include "FieldEditors.h"
#include "ReplyRecord.h"
#include "SettingsForm.h"
#include "SlotForms.h"

namespace {

// Sets the field to the reported value, its editor running, then to the
// value's correction: a pulse of 102 (or more, which the editor rewrites as
// 102) shows "0", a pump speed or drip time out of range its replacement.
void show(SettingsForm &form, int field, int value)
{
    form.setText(field, QString::number(value));
    if (const auto corrected = shownCorrection(settingFields()[field].kind, form.text(field)))
        form.setText(field, *corrected);
}

} // namespace

ReplyDisplay showReply(SettingsForm &form, const QStringList &pieces)
{
    ReplyDisplay display;
    const auto report = decodeReply(pieces);
    if (!report) {
        display.totals.fill(QStringLiteral("0"));
        for (int i = 0; i < ButtonSlots; ++i)
            form.setText(i, QStringLiteral("0"));
        display.calibration = QStringLiteral("0");
        return display;
    }
    display.good = true;
    for (int i = 0; i < ButtonCount; ++i)
        display.totals[i] = QString::number(report->countTotals[i]);
    for (int i = 0; i < ButtonSlots; ++i)
        show(form, i, report->buttonSettings[i]);
    const int tenths = report->calibrationTenths;
    display.calibration = tenthsText(
        CalibrationTenthsRange.contains(tenths) ? tenths : CalibrationTenthsRange.replacement);
    for (int i = ButtonSlots; i < SettingFieldCount; ++i) {
        const FieldKind kind = settingFields()[i].kind;
        if (kind == FieldKind::PumpSpeed || kind == FieldKind::DripTime)
            show(form, i, kind == FieldKind::PumpSpeed ? report->pumpSpeed : report->dripTime);
    }
    return display;
}

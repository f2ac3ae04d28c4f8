#include "ReplyDisplay.h"

#include "FieldEditors.h"
#include "ReplyRecord.h"
#include "SettingsForm.h"
#include "SlotForms.h"

namespace {

constexpr int ButtonFields = 27; // pulse 1..8 and volume of each button
constexpr int PumpField = 31;
constexpr int DripField = 32;

// The field shows the value, then its replacement when the value is out of
// the field's range.
void showClamped(SettingsForm &form, int field, int value)
{
    const SettingRange range = settingRange(settingFields()[field].kind);
    form.setText(field, QString::number(value));
    if (!range.contains(value))
        form.setText(field, QString::number(range.replacement));
}

} // namespace

ReplyDisplay showReply(SettingsForm &form, const QStringList &pieces)
{
    ReplyDisplay display;
    const auto report = decodeReply(pieces);
    if (!report) {
        display.totals.fill(QStringLiteral("0"));
        for (int i = 0; i < ButtonFields; ++i)
            form.setText(i, QStringLiteral("0"));
        display.calibration = QStringLiteral("0");
        return display;
    }
    display.good = true;
    for (int i = 0; i < 3; ++i)
        display.totals[i] = QString::number(report->countTotals[i]);
    // A pulse value above 102 is rewritten as 102 by the field's editor, and
    // 102 in a pulse field stands for zero.
    for (int i = 0; i < ButtonFields; ++i) {
        form.setText(i, QString::number(report->buttonSettings[i]));
        if (settingFields()[i].kind == FieldKind::Pulse &&
            form.text(i) == QString::number(ZeroStandIn))
            form.setText(i, QStringLiteral("0"));
    }
    const int tenths = report->calibrationTenths;
    display.calibration = tenthsText(
        CalibrationTenthsRange.contains(tenths) ? tenths : CalibrationTenthsRange.replacement);
    showClamped(form, PumpField, report->pumpSpeed);
    showClamped(form, DripField, report->dripTime);
    return display;
}

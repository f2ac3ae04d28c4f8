// The rules at the heart of every operation: the field editors, the
// settings file written and read back, and the Load field pass texts.
#include "FieldEditors.h"
#include "SettingsFileAccess.h"
#include "SettingsFileFormat.h"
#include "SettingsFileLoader.h"
#include "SettingsFileOperations.h"
#include "SettingsTable.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace operations;

namespace {

const SettingField &fieldOf(FieldKind kind)
{
    for (const SettingField &field : settingFields()) {
        if (field.kind == kind)
            return field;
    }
    return settingFields().front();
}

void Editor(benchmark::State &state, FieldKind kind, const char *text)
{
    const SettingField &field = fieldOf(kind);
    const QString input = QString::fromLatin1(text);
    for (auto _ : state)
        benchmark::DoNotOptimize(editField(field, input));
}
BENCHMARK_CAPTURE(Editor, pulse, FieldKind::Pulse, "64");
BENCHMARK_CAPTURE(Editor, pulseOutOfRange, FieldKind::Pulse, "103");
BENCHMARK_CAPTURE(Editor, count, FieldKind::Count, "9999");
BENCHMARK_CAPTURE(Editor, countDisabled, FieldKind::CountWithDisable, "OFF");
BENCHMARK_CAPTURE(Editor, calibration, FieldKind::Calibration, "97.8");
BENCHMARK_CAPTURE(Editor, pumpSpeed, FieldKind::PumpSpeed, "75");
BENCHMARK_CAPTURE(Editor, dripTime, FieldKind::DripTime, "90");

SettingsTable filledTable()
{
    SettingsTable table;
    table.FillDefaults();
    return table;
}

void FillDefaults(benchmark::State &state)
{
    for (auto _ : state) {
        SettingsTable table;
        table.FillDefaults();
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(FillDefaults);

void FormatSettingsFile(benchmark::State &state)
{
    const SettingsTable table = filledTable();
    for (auto _ : state)
        benchmark::DoNotOptimize(settingsFileBytes(table, QStringLiteral("HELLO COFFEE")));
}
BENCHMARK(FormatSettingsFile);

void ParseSettingsFile(benchmark::State &state)
{
    const QByteArray bytes = settingsFileBytes(filledTable(), QStringLiteral("HELLO COFFEE"));
    for (auto _ : state) {
        SettingsTable table;
        SettingsFileLoader loader(table);
        for (const QString &line : settingsFileLines(bytes))
            benchmark::DoNotOptimize(loader.takeLine(line));
    }
}
BENCHMARK(ParseSettingsFile);

void LoadFieldPassTexts(benchmark::State &state)
{
    const SettingsTable table = filledTable();
    for (auto _ : state) {
        for (const SettingField &field : settingFields()) {
            const auto shown = loadedFieldText(field.kind, table.slot(field.slot));
            benchmark::DoNotOptimize(shownCorrection(field.kind, shown.value_or(QString())));
        }
    }
}
BENCHMARK(LoadFieldPassTexts);

// The disk's share of Save: the same bytes written whole through a temporary
// file, synced and renamed over the old one.
void WriteSettingsFile(benchmark::State &state)
{
    QTemporaryDir folder;
    const QString path = settingsFilePath(folder.path());
    const QByteArray bytes = settingsFileBytes(filledTable(), QString());
    QString reason;
    for (auto _ : state) {
        if (!writeSettingsFile(path, bytes, &reason))
            state.SkipWithError(qPrintable(reason));
    }
}
BENCHMARK(WriteSettingsFile)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();

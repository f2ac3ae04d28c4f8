// Resizing: one ResizeForm pass over every control, and a whole resize of
// the window with its repaint, at the design size, at twice it and at four
// times it (the pixels of a 4K screen).
#include "Form1.h"
#include "ProportionalLayout.h"
#include "QtBenchmarkMain.h"
#include "ui_Form1.h"

#include <QApplication>
#include <QGroupBox>

#include <benchmark/benchmark.h>

namespace {

const QSize DesignSize(969, 700);

QSize sizeFor(int scale)
{
    return DesignSize * scale;
}

// The placing pass alone: the window is hidden, so resize() only sets the
// size and no resize event runs beside the pass being timed.
void ResizeFormPass(benchmark::State &state)
{
    Form1 form;
    ProportionalLayout layout;
    layout.record(form);
    form.resize(sizeFor(int(state.range(0))));
    for (auto _ : state)
        layout.apply(form);
}
BENCHMARK(ResizeFormPass)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMicrosecond);

// The pass as a user drags the window's corner from the design size down
// to 800 x 487 and back, a pixel at a time: most sizes are new to it, and
// captions shrink to fit and grow back.
void ResizeFormPassDragged(benchmark::State &state)
{
    Form1 form;
    ProportionalLayout layout;
    layout.record(form);
    constexpr int Steps = 169; // 969 - 800
    int step = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const int t = std::abs(step++ % (2 * Steps) - Steps);
        form.resize(DesignSize - QSize(Steps - t, (Steps - t) * 213 / Steps));
        state.ResumeTiming();
        layout.apply(form);
    }
}
BENCHMARK(ResizeFormPassDragged)->Unit(benchmark::kMicrosecond);

// Its floor: the toolkit moving the same controls to rectangles computed
// beforehand, with no record to read.
void MoveEveryControl(benchmark::State &state)
{
    Form1 form;
    QList<std::pair<QWidget *, QRect>> targets;
    for (QWidget *control : form.findChildren<QWidget *>()) {
        if (control->property("Tag").isValid())
            targets.append({control, QRect(control->pos() * 2, control->size() * 2)});
    }
    state.counters["controls"] = double(targets.size());
    bool flip = false;
    for (auto _ : state) {
        for (const auto &[control, rect] : targets)
            control->setGeometry(flip ? rect : QRect(rect.topLeft() / 2, rect.size() / 2));
        flip = !flip;
    }
}
BENCHMARK(MoveEveryControl)->Unit(benchmark::kMicrosecond);

// Shows the window, then times a resize event and the repaint of everything
// it moved, alternating between the measured size and a slightly different
// one so that every iteration really changes the size.
void timeResizeAndRepaint(benchmark::State &state, QWidget &window)
{
    window.show();
    QApplication::processEvents();
    const QSize target = sizeFor(int(state.range(0)));
    const QSize other = target - QSize(1, 1);
    bool flip = false;
    for (auto _ : state) {
        window.resize(flip ? other : target);
        window.repaint();
        flip = !flip;
    }
}

void ResizeAndRepaint(benchmark::State &state)
{
    Form1 form;
    timeResizeAndRepaint(state, form);
}
BENCHMARK(ResizeAndRepaint)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);

// As the window was before its group boxes' frames were drawn from lines of
// the frame picture: each box in the application's style, which stretches
// the whole picture, faint inside included, over the box. Measured beside
// the program to show what drawing the frames that way costs.
void ResizeStretchedFramesAndRepaint(benchmark::State &state)
{
    Form1 form;
    for (QGroupBox *box : form.findChildren<QGroupBox *>())
        box->setStyle(QApplication::style());
    timeResizeAndRepaint(state, form);
}
BENCHMARK(ResizeStretchedFramesAndRepaint)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);

// Its floor: the toolkit resizing and repainting a window of the same
// controls, the compiled form alone, which does not move them.
void ResizeFormOnlyAndRepaint(benchmark::State &state)
{
    QWidget window;
    Ui::Form1 ui;
    ui.setupUi(&window);
    timeResizeAndRepaint(state, window);
}
BENCHMARK(ResizeFormOnlyAndRepaint)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);

} // namespace

QT_BENCHMARK_MAIN()

// The window's operations as a technician triggers them, with the real
// handlers, a pseudo-terminal for the serial line and a temporary folder for
// the settings file. Notices are left out: an operation ends when it starts
// building its notice (Read, Save, Load) or when the last frame byte has
// reached the far end of the line (Send).
#include "Form1.h"
#include "PseudoTerminal.h"
#include "QtBenchmarkMain.h"

#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <malloc.h>
#include <optional>
#include <poll.h>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// Records when the window starts building a notice (the message box becomes
// its child: the first thing its constructor does) and answers every notice
// as soon as it shows.
class NoticeTimer : public QObject
{
public:
    explicit NoticeTimer(QWidget *window) : m_window(window) { qApp->installEventFilter(this); }
    ~NoticeTimer() override { qApp->removeEventFilter(this); }

    void reset() { m_started.reset(); }
    Clock::time_point startedAt() const { return m_started.value_or(Clock::now()); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ChildAdded && watched == m_window && !m_started &&
            static_cast<QChildEvent *>(event)->child()->isWidgetType()) {
            m_started = Clock::now();
        } else if (event->type() == QEvent::Show) {
            if (auto *box = qobject_cast<QMessageBox *>(watched))
                QMetaObject::invokeMethod(box, &QDialog::accept, Qt::QueuedConnection);
        }
        return false;
    }

private:
    QWidget *m_window;
    std::optional<Clock::time_point> m_started;
};

struct Window
{
    Window()
    {
        form.setSettingsDirectory(folder.path());
        form.show();
        QApplication::processEvents();
    }

    void click(const char *name) { form.findChild<QPushButton *>(name)->click(); }

    void connect()
    {
        form.findChild<QComboBox *>("Combo1")->setEditText(line.devicePath());
        click("connect");
    }

    double timeToNotice(const char *button)
    {
        notices.reset();
        const auto start = Clock::now();
        click(button);
        return std::chrono::duration<double>(notices.startedAt() - start).count();
    }

    QTemporaryDir folder;
    PseudoTerminal line;
    Form1 form;
    NoticeTimer notices{&form};
};

// A frame of 83 characters ("$$", an empty logo, "/" and the settings) takes
// 86 ms on a 9600-baud line at 10 bits a character; a pseudo-terminal passes
// it at once, so what this measures is the program's own share.
void SendToFarEnd(benchmark::State &state)
{
    Window window;
    window.connect();
    constexpr qsizetype FrameLength = 83;
    for (auto _ : state) {
        std::atomic<bool> done{false};
        Clock::time_point lastByte;
        std::thread farEnd([&] {
            while (window.line.collect() < FrameLength) {
                pollfd none{-1, 0, 0};
                ::poll(&none, 0, 0);
            }
            lastByte = Clock::now();
            done = true;
        });
        const auto start = Clock::now();
        window.click("Command1");
        farEnd.join();
        if (window.line.takeCollected().size() != FrameLength)
            state.SkipWithError("the frame did not arrive whole");
        state.SetIterationTime(std::chrono::duration<double>(lastByte - start).count());
    }
    state.counters["line_ms"] = FrameLength * 10 * 1000.0 / 9600;
}
BENCHMARK(SendToFarEnd)->UseManualTime()->Unit(benchmark::kMicrosecond);

QByteArray goodRecord()
{
    QByteArray record("\xFF\xAA", 2);
    record += QByteArray::fromHex("012C00000007");
    for (int i = 0; i < 27; ++i)
        record += char(i % 9 == 0 ? 5 : 0);
    record += QByteArray::fromHex("0850645A");
    return record;
}

// A 39-byte record waiting in the receive buffer to every field updated.
void ReadWaitingRecord(benchmark::State &state)
{
    Window window;
    const QByteArray record = goodRecord();
    for (auto _ : state) {
        state.PauseTiming();
        window.connect(); // a good read closes the port
        window.line.send(record);
        state.ResumeTiming();
        state.SetIterationTime(window.timeToNotice("Command2"));
    }
}
BENCHMARK(ReadWaitingRecord)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The bytes the heap holds in use.
qint64 heapInUse()
{
    const auto info = mallinfo2();
    return qint64(info.uordblks + info.hblkhd);
}

// A far end that sent a record and then kept talking: 16 MiB in pieces of
// 4 KiB, each let in as it arrives, then Read. Reports what the flood added
// to the heap before Read.
void ReadAfterFlood(benchmark::State &state)
{
    Window window;
    const QByteArray flood = goodRecord() + QByteArray(16 << 20, 'Z');
    qint64 grown = 0;
    for (auto _ : state) {
        state.PauseTiming();
        window.connect(); // a good read closes the port
        const qint64 before = heapInUse();
        // The window reads the line as the flood arrives, also while the
        // line is full.
        const auto letIn = [] { QApplication::processEvents(); };
        bool taken = true;
        for (qsizetype at = 0; taken && at < flood.size(); at += 4096) {
            taken = window.line.send(flood.mid(at, 4096), letIn);
            letIn();
        }
        if (!taken) {
            state.SkipWithError("the window did not take the flood from the line within 10 s");
            break;
        }
        grown = heapInUse() - before;
        state.ResumeTiming();
        state.SetIterationTime(window.timeToNotice("Command2"));
    }
    state.counters["heap_growth_MiB"] = double(grown) / (1 << 20);
}
BENCHMARK(ReadAfterFlood)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(5);

void Save(benchmark::State &state)
{
    Window window;
    for (auto _ : state)
        state.SetIterationTime(window.timeToNotice("Command3"));
}
BENCHMARK(Save)->UseManualTime()->Unit(benchmark::kMicrosecond);

void Load(benchmark::State &state)
{
    Window window;
    window.click("Command3");
    for (auto _ : state)
        state.SetIterationTime(window.timeToNotice("Command5"));
}
BENCHMARK(Load)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace

QT_BENCHMARK_MAIN()

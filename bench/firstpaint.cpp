// SPDX-License-Identifier: MIT
// Start to first paint: the real main window against two QMainWindows of its size, in the
// same run: one with the same stock Qt widgets, texts and menus (what Qt itself costs for
// this window), one with as many plain widgets. Each window is created, shown, processed
// until its first paint has been drawn, and destroyed.

#include "common.h"

#include "mainwindow/mainwindow.h"
#include "widgets/centring.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include <malloc.h>

#include <array>
#include <chrono>
#include <memory>

using calc::Language;
using mainwindow::MainWindow;
using settings::Settings;

namespace bench {

namespace {

// One window of each kind per sample, so that the median and 99th percentile are those of single
// starts. (The CPU column of the table counts all three windows and the heap measurements.)
constexpr int PaintSamples = 60;

using Opener = std::function<std::unique_ptr<QWidget>()>;

class PaintWatch : public QObject
{
public:
    bool painted = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

// Opens a window and processes events until its first paint is done: the paint of the window
// and of its children is one pass, over when processEvents returns. Seconds, or -1 when no
// paint came within ten seconds.
double openToFirstPaint(const Opener &open, std::unique_ptr<QWidget> &window)
{
    using Clock = std::chrono::steady_clock;
    PaintWatch watch;
    QTimer wake; // waiting for events must not outlast the deadline
    wake.start(100);
    const auto start = Clock::now();
    window = open();
    window->installEventFilter(&watch);
    window->show();
    const auto deadline = start + std::chrono::seconds(10);
    while (!watch.painted && Clock::now() < deadline)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const std::chrono::duration<double> elapsed = Clock::now() - start;
    window->removeEventFilter(&watch);
    return watch.painted ? elapsed.count() : -1;
}

void closeWindow(std::unique_ptr<QWidget> &window)
{
    window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

double heapBytes()
{
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd);
}

void centreWindowOnScreen(QWidget *window)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() -
                     QPoint(window->width() / 2, window->height() / 2));
}

// The real window as the program opens it, on one engine for the whole run.
std::unique_ptr<QWidget> openMainWindow()
{
    static Settings values = sampleValues();
    static session::Session engine(values, calc::commaLocale(), saveNothing);
    auto window = std::make_unique<MainWindow>(Language::Danish, engine);
    window->load();
    widgets::centreOnScreen(window.get());
    return window;
}

// One real window, opened once and then kept hidden: the pattern that the other windows copy.
// Opening it also pays the run's one-time costs (fonts, style, plugins, parsing and drawing the
// pictures), which the windows measured after it do not; its own time is reported apart.
std::unique_ptr<QWidget> TheModel;
double FirstWindowSeconds = 0;

const QMainWindow &modelWindow()
{
    if (!TheModel) {
        FirstWindowSeconds = openToFirstPaint(openMainWindow, TheModel);
        TheModel->hide();
    }
    return static_cast<const QMainWindow &>(*TheModel);
}

int widgetCount(const QWidget &window)
{
    return int(window.findChildren<QWidget *>().size()) + 1;
}

// As many plain widgets as the real window has (menus and hidden ones included), at its size.
std::unique_ptr<QWidget> openBareWindow()
{
    const QMainWindow &model = modelWindow();
    auto window = std::make_unique<QMainWindow>();
    auto *client = new QWidget(window.get());
    window->setCentralWidget(client);
    constexpr int Columns = 8;
    const QSize cell(model.width() / Columns, 20);
    for (int i = 0; i < widgetCount(model) - 2; ++i) // the window and its client count too
        (new QWidget(client))
            ->setGeometry(
                QRect(QPoint(i % Columns * cell.width(), i / Columns * cell.height()), cell));
    window->setFixedSize(model.size());
    centreWindowOnScreen(window.get());
    return window;
}

// A copy of one widget and its children in the stock Qt class each derives from, with its
// place, text, font, palette and visibility: what the real window shows, without its code.
void copyStock(const QWidget &source, QWidget *parent)
{
    QWidget *copy = nullptr;
    if (const auto *option = qobject_cast<const QRadioButton *>(&source)) {
        auto *button = new QRadioButton(option->text(), parent);
        button->setChecked(option->isChecked());
        copy = button;
    } else if (const auto *label = qobject_cast<const QLabel *>(&source)) {
        auto *stock = new QLabel(label->text(), parent);
        stock->setAlignment(label->alignment());
        stock->setWordWrap(label->wordWrap());
        stock->setFrameStyle(label->frameStyle());
        copy = stock;
    } else if (const auto *frame = qobject_cast<const QGroupBox *>(&source)) {
        copy = new QGroupBox(frame->title(), parent);
    } else if (const auto *field = qobject_cast<const QLineEdit *>(&source)) {
        copy = new QLineEdit(field->text(), parent);
    } else if (const auto *box = qobject_cast<const QFrame *>(&source)) {
        auto *stock = new QFrame(parent);
        stock->setFrameStyle(box->frameStyle());
        copy = stock;
    } else {
        copy = new QWidget(parent);
    }
    copy->setGeometry(source.geometry());
    copy->setAutoFillBackground(source.autoFillBackground());
    if (source.testAttribute(Qt::WA_SetFont))
        copy->setFont(source.font());
    if (source.testAttribute(Qt::WA_SetPalette))
        copy->setPalette(source.palette());
    copy->setHidden(source.isHidden());
    for (const QWidget *child : source.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        copyStock(*child, copy);
}

std::unique_ptr<QWidget> openStockWindow()
{
    const QMainWindow &model = modelWindow();
    auto window = std::make_unique<QMainWindow>();
    window->setWindowTitle(model.windowTitle());
    for (const QAction *title : model.menuBar()->actions()) {
        QMenu *menu = window->menuBar()->addMenu(title->text());
        for (const QAction *item : title->menu()->actions())
            item->isSeparator() ? menu->addSeparator() : menu->addAction(item->text());
    }
    auto *client = new QWidget(window.get());
    window->setCentralWidget(client);
    client->setFixedSize(model.centralWidget()->size());
    for (const QWidget *child :
         model.centralWidget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        copyStock(*child, client);
    window->setFixedSize(model.size());
    centreWindowOnScreen(window.get());
    return window;
}

// The heap that one open window holds, in KiB.
double heapOfOneWindow(const Opener &open)
{
    std::unique_ptr<QWidget> window;
    const double before = heapBytes();
    openToFirstPaint(open, window);
    const double held = heapBytes() - before;
    closeWindow(window);
    return held / 1024;
}

// Each sample opens the three windows in turn, so that a load that comes and goes on the
// machine weighs on all three alike. The time is the real window's; the counters carry the
// other two and the ratios.
void measureFirstPaint(benchmark::State &state)
{
    modelWindow();
    const Opener windows[] = {openMainWindow, openStockWindow, openBareWindow};
    std::array<double, 3> seconds{};
    for (auto _ : state) {
        for (std::size_t i = 0; i < seconds.size(); ++i) {
            std::unique_ptr<QWidget> window;
            seconds[i] = openToFirstPaint(windows[i], window);
            closeWindow(window);
            if (seconds[i] < 0) {
                state.SkipWithError("a window was never painted");
                return;
            }
        }
        state.SetIterationTime(seconds[0]);
    }
    state.counters["first_window_ms"] = FirstWindowSeconds * 1e3;
    state.counters["stock_ms"] = seconds[1] * 1e3;
    state.counters["bare_ms"] = seconds[2] * 1e3;
    state.counters["x_stock"] = seconds[0] / seconds[1];
    state.counters["x_bare"] = seconds[0] / seconds[2];
    state.counters["heap_KiB"] = heapOfOneWindow(windows[0]);
    state.counters["stock_heap_KiB"] = heapOfOneWindow(windows[1]);
    state.counters["bare_heap_KiB"] = heapOfOneWindow(windows[2]);
    state.counters["widgets"] = widgetCount(modelWindow());
}

} // namespace

void registerFirstPaintBenchmarks(const std::string &platform)
{
    registerBenchmark("FirstPaint/" + platform, measureFirstPaint)
        ->Iterations(1)
        ->Repetitions(PaintSamples)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

void closeModelWindow()
{
    TheModel.reset();
}

} // namespace bench

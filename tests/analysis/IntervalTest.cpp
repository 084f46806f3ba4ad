// Interval selection driven by mouse events on the dialog's chart, offscreen.
#include "analysis/CaseDlg.h"
#include "analysis/IntervalCommand.h"
#include "analysis/core/Interval.h"
#include "chart/SimplCht.h"
#include "tests/support/RecordingPrompt.h"

#include <QAction>
#include <QCoreApplication>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace {

struct Drag {
    int from, to;
};

class Interval : public ::testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale::c());
        // A calibration that is not the identity, so a calibrated value left
        // in the run would show.
        settings.aT = 5, settings.bT = 2, settings.aL = -1, settings.bL = 0.5;
    }
    // Raw sample i: T = 1000 + i, L = 2000 + i, TC = 3000 + i.
    void Fill(int32_t n)
    {
        ClearRun(*run);
        run->Count = n;
        for (int32_t i = 1; i <= n; ++i)
            run->T[i - 1] = 1000.0 + i, run->L[i - 1] = 2000.0 + i, run->TC[i - 1] = 3000.0 + i;
        run->CalcPoints = 17, run->SampleLength = 12.5, run->QuartzLength = 13.5, run->QuartzAlpha = 1e-6;
        before = *run;
    }
    // What an acquisition tick does: one raw sample more.
    static void Append(TRunData &r, int samples)
    {
        for (int k = 0; k < samples; ++k, ++r.Count)
            r.T[r.Count] = 9000.0 + k, r.L[r.Count] = 9100.0 + k, r.TC[r.Count] = 9200.0 + k;
    }
    void Mouse(QEvent::Type type, int x)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(x, 110), QPointF(x, 110), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(dialog.SimpleChart, &event);
    }
    // Presses at `from`, moves column by column to `to` and releases there.
    void DragMouse(int from, int to)
    {
        Mouse(QEvent::MouseButtonPress, from);
        for (int x = from; x != to;)
            Mouse(QEvent::MouseMove, x += (to > from ? 1 : -1));
        Mouse(QEvent::MouseButtonRelease, to);
    }
    // Runs the command; inside the dialog `act` works the mouse and closes it.
    void Choose(std::function<int(TCaseDlg &)> act, TChannel channel = TChannel::T)
    {
        prompt.dialogs.push_back([act](QDialog &d) { return act(static_cast<TCaseDlg &>(d)); });
        ChoiceIntervalClick(*run, settings, tTable, lTable, [channel] { return std::optional(channel); },
                            dialog, [this] { ++redraws; });
    }
    // The run holds raw samples first..last as filled, renumbered from 1, and
    // the calculation parameters it had.
    void ExpectKept(int32_t first, int32_t last, const char *name)
    {
        ASSERT_EQ(run->Count, std::max(0, last - first + 1)) << name;
        const std::vector<double> T = ChannelValues(*run, TChannel::T), L = ChannelValues(*run, TChannel::L),
                                  TC = ChannelValues(*run, TChannel::TC);
        for (int32_t k = 0, i = first; i <= last; ++k, ++i) {
            EXPECT_EQ(T[k], 1000.0 + i) << name << " sample " << i;
            EXPECT_EQ(L[k], 2000.0 + i) << name << " sample " << i;
            EXPECT_EQ(TC[k], 3000.0 + i) << name << " sample " << i;
        }
        const size_t from = offsetof(TRunData, CalcPoints), size = offsetof(TRunData, TC) - from;
        EXPECT_EQ(std::memcmp(reinterpret_cast<const char *>(run.get()) + from,
                              reinterpret_cast<const char *>(&before) + from, size), 0) << name;
    }

    TRecordingPrompt prompt;
    TCaseDlg dialog;
    std::unique_ptr<TRunData> run = std::make_unique<TRunData>();
    TRunData before;
    TSettings settings;
    TSplineTable tTable, lTable;
    int redraws = 0;
};

int Ok(TCaseDlg &d)
{
    d.BtnOK->click();
    return d.result();
}

// Markers at columns p, q keep the samples 1 + (N - 1)(p - 50)/350 ..
// 1 + (N - 1)(q - 50)/350, rounded inwards; the limits below are worked out
// by hand from that.
TEST_F(Interval, OkKeepsTheSamplesBetweenTheMarkers)
{
    const struct { const char *name; int32_t n; std::vector<Drag> drags; int32_t first, last; } rows[] = {
        {"unmoved, 1000", 1000, {}, 287, 714},
        {"unmoved, 100", 100, {}, 30, 71},
        {"ends", 1000, {{150, 50}, {300, 400}}, 1, 1000},
        {"dragged past the ends", 1000, {{150, 10}, {300, 440}}, 1, 1000},
        {"first past second", 1000, {{150, 350}}, 715, 857},
        {"mirror placement", 1000, {{300, 350}, {150, 300}}, 715, 857},
        {"coinciding on a whole sample", 101, {{150, 225}, {300, 225}}, 51, 51},
        {"coinciding between samples", 100, {{150, 225}, {300, 225}}, 51, 50},
        {"empty run", 0, {{150, 60}}, 1, 0},
    };
    for (const auto &row : rows) {
        Fill(row.n);
        redraws = 0;
        Choose([&](TCaseDlg &d) {
            for (const Drag &drag : row.drags)
                DragMouse(drag.from, drag.to);
            return Ok(d);
        });
        ExpectKept(row.first, row.last, row.name);
        EXPECT_EQ(redraws, 1) << row.name;
    }

    // A damaged count above the capacity is taken as 10000.
    Fill(kRunCapacity);
    run->Count = 12000;
    Choose(Ok);
    ExpectKept(2858, 7143, "count above capacity");
}

TEST_F(Interval, CancelOrCloseLeavesEveryByte)
{
    const struct { const char *name; int appended; std::function<int(TCaseDlg &)> close; } rows[] = {
        {"Cancel", 0, [](TCaseDlg &d) { d.BitBtn1->click(); return d.result(); }},
        {"close button", 0, [](TCaseDlg &d) { d.show(); d.close(); return d.result(); }},
        {"Cancel while acquiring", 3, [](TCaseDlg &d) { d.BitBtn1->click(); return d.result(); }},
    };
    for (const auto &row : rows) {
        Fill(300);
        Choose([&](TCaseDlg &d) {
            DragMouse(150, 100);
            Append(*run, row.appended);
            return row.close(d);
        });
        Append(before, row.appended);
        EXPECT_EQ(std::memcmp(run.get(), &before, sizeof before), 0) << row.name;
    }
    // Cancel in the channel dialog: the interval dialog is not even shown.
    ChoiceIntervalClick(*run, settings, tTable, lTable, [] { return std::optional<TChannel>(); }, dialog,
                        [this] { ++redraws; });
    EXPECT_EQ(prompt.dialogsShown.size(), 3);
    EXPECT_EQ(std::memcmp(run.get(), &before, sizeof before), 0);
    EXPECT_EQ(redraws, 0);
}

TEST_F(Interval, SamplesTakenWhileTheDialogIsOpenAreKept)
{
    Fill(1000);
    Choose([&](TCaseDlg &d) {
        Append(*run, 5);
        return Ok(d);
    });
    ASSERT_EQ(run->Count, 428 + 5);
    const std::vector<double> T = ChannelValues(*run, TChannel::T), L = ChannelValues(*run, TChannel::L),
                              TC = ChannelValues(*run, TChannel::TC);
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(T[428 + k], 9000.0 + k);
        EXPECT_EQ(L[428 + k], 9100.0 + k);
        EXPECT_EQ(TC[428 + k], 9200.0 + k);
    }
    run->Count = 428;
    ExpectKept(287, 714, "before the new samples");
}

TEST_F(Interval, PreviewShowsTheCalibratedChannel)
{
    const struct { TChannel channel; const char *title; double a, b, base; } rows[] = {
        {TChannel::T, "T, deg. C", 5, 2, 1000},
        {TChannel::L, "L, mkm", -1, 0.5, 2000},
        {TChannel::TC, "TC, deg. C", 5, 2, 3000},
    };
    for (const auto &row : rows) {
        Fill(50);
        Choose([&](TCaseDlg &d) {
            const TSimpleChart &chart = *d.SimpleChart;
            EXPECT_EQ(chart.SCXTitle(), QStringLiteral("t, mm:ss"));
            EXPECT_EQ(chart.SCYTitle(), QString::fromLatin1(row.title));
            EXPECT_FALSE(chart.Menu().TimeLineItem->isVisible());
            EXPECT_FALSE(chart.Menu().GridLinesItem->isVisible());
            EXPECT_EQ(chart.Data().Count, 50);
            for (int i = 1; i <= chart.Data().Count; ++i) {
                EXPECT_EQ(chart.Data().X[i - 1], i);
                EXPECT_EQ(chart.Data().Y[i - 1], row.a + row.b * (row.base + i)) << row.title;
            }
            EXPECT_EQ(std::memcmp(run.get(), &before, sizeof before), 0) << "run calibrated";
            return int(QDialog::Rejected);
        }, row.channel);
    }
}

QRgb Inverted(QRgb c) { return qRgb(255 - qRed(c), 255 - qGreen(c), 255 - qBlue(c)); }

TEST_F(Interval, MarkersAreDottedGrabbedAndConfined)
{
    const double x[] = {1, 2, 3}, y[] = {0, 1, 0.5};
    dialog.SimpleChart->SetData(3, x, y);
    dialog.SimpleChart->Repaint();
    const QImage clean = dialog.SimpleChart->Picture().copy();
    const QImage &picture = dialog.SimpleChart->Picture();
    prompt.dialogs.push_back([&](QDialog &) {
        // Columns 150 and 300 inverted on every other row from row 0, all else as drawn.
        int wrong = 0;
        for (int r = 0; r < clean.height(); ++r)
            for (int c = 0; c < clean.width(); ++c) {
                const bool marker = (c == 150 || c == 300) && r % 2 == 0;
                wrong += picture.pixel(c, r) != (marker ? Inverted(clean.pixel(c, r)) : clean.pixel(c, r));
            }
        EXPECT_EQ(wrong, 0);

        const struct { int x; bool first, second; } presses[] = {
            {147, false, false}, {148, true, false}, {152, true, false}, {153, false, false},
            {297, false, false}, {298, false, true}, {302, false, true}, {303, false, false},
        };
        for (const auto &p : presses) {
            Mouse(QEvent::MouseButtonPress, p.x);
            EXPECT_EQ(dialog.Dragging1(), p.first) << p.x;
            EXPECT_EQ(dialog.Dragging2(), p.second) << p.x;
            Mouse(QEvent::MouseButtonRelease, p.x);
        }
        EXPECT_FALSE(dialog.Dragging1() || dialog.Dragging2());

        DragMouse(150, 10);   // each stops at the plot's edge
        DragMouse(300, 500);
        EXPECT_EQ(dialog.MarkerPos1(), 50);
        EXPECT_EQ(dialog.MarkerPos2(), 400);
        return int(QDialog::Accepted);
    });
    prompt.dialogs.push_back([&](QDialog &) {
        DragMouse(150, 300);  // onto the other: the two lines cancel out
        EXPECT_EQ(picture, clean);
        DragMouse(301, 120);  // one press grabs both, and they move together
        EXPECT_EQ(dialog.MarkerPos1(), 120);
        EXPECT_EQ(dialog.MarkerPos2(), 120);
        EXPECT_EQ(picture, clean);
        return int(QDialog::Rejected);
    });
    const TCaseDlg::TSelection selection = dialog.SelectInterval();
    EXPECT_EQ(selection.result, QDialog::Accepted);
    EXPECT_EQ(selection.f1, 0.0);
    EXPECT_EQ(selection.f2, 1.0);
    EXPECT_EQ(picture, clean);  // the markers are taken off again
    EXPECT_EQ(dialog.SelectInterval().result, QDialog::Rejected);
}

} // namespace

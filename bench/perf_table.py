"""Builds the performance table of bench/run from the files it leaves in one
directory: Google Benchmark JSON (medians of the repetitions), the peer chart
benchmark's output, the start-up probe's lines and the full-run driver's JSON.
Prints Markdown: a line on when and where, then the table. Ratios are
Varotem's figure divided by the peer's or the budget: below 1 is better."""

import json
import re
import statistics
import sys
from pathlib import Path

UNIT_SECONDS = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}


def gbench_medians(path):
    """Median real time in seconds of each benchmark, and the run's context."""
    data = json.loads(path.read_text())
    medians = {}
    for b in data["benchmarks"]:
        if b.get("run_type") == "aggregate" and b.get("aggregate_name") != "median":
            continue
        if b.get("error_occurred"):
            sys.exit(f"{path.name}: {b['name']} failed: {b.get('error_message')}")
        medians[b.get("run_name", b["name"])] = b["real_time"] * UNIT_SECONDS[b["time_unit"]]
    return medians, data["context"]


def peer_replot_seconds(path):
    values = [float(m) for m in re.findall(r"qcustomplot_replot_us=([0-9.]+)", path.read_text())]
    if not values:
        sys.exit("no figure from the peer chart benchmark")
    return statistics.median(values) * 1e-6


def startup_seconds(path):
    text = path.read_text()
    probe = [float(m) * 1e-3 for m in re.findall(r"startup: ([0-9.]+) ms", text)]
    wall = [float(m) * 1e-6 for m in re.findall(r"wall: ([0-9]+) us", text)]
    if not probe or len(probe) != len(wall):
        sys.exit("the program did not report its start-up on every run:\n" + text)
    return statistics.median(probe), statistics.median(wall), len(probe)


def seconds_text(s):
    if s < 0:
        return "−" + seconds_text(-s)
    if s < 1e-3:
        return f"{s * 1e6:.0f} µs"
    if s < 1:
        return f"{s * 1e3:.3g} ms"
    return f"{s:.3g} s"


def ratio_text(value, reference):
    return f"{value / reference:.2g}" if reference else "—"


def main(out):
    out = Path(out)
    tick, context = gbench_medians(out / "tick.json")
    chart, _ = gbench_medians(out / "chart.json")
    files, _ = gbench_medians(out / "files.json")
    analysis, _ = gbench_medians(out / "analysis.json")
    glass, _ = gbench_medians(out / "glass.json")
    peer = peer_replot_seconds(out / "peer.txt")
    probe, wall, runs = startup_seconds(out / "startup.txt")
    full = json.loads((out / "fullrun.json").read_text())
    mib = 1024 * 1024

    # (measure, Varotem, peer name, peer figure, budget name, budget figure), in seconds
    plain_tick = tick["BM_TickAt10000/journal:0"]
    journal_tick = tick["BM_TickAt10000/journal:1"]
    rows = [
        ("Acquisition tick at 10000 samples: store, calibrate, redraw three charts",
         plain_tick, "3 × QCustomPlot replot", 3 * peer, "tick period", 1.0),
        ("The same tick with the sample journal (record written and flushed to disk)",
         journal_tick, "the tick without the journal", plain_tick, "tick period", 1.0),
        ("Added by the sample journal (difference of the two medians)",
         journal_tick - plain_tick, None, None, "budget", 1e-3),
        ("One chart redraw, 10000 points, 528 × 253",
         chart["BM_RepaintMultiLine/10000"], "QCustomPlot replot", peer, None, None),
        (f"Start-up, main() to first painted chart (Xvfb, median of {runs})",
         probe, None, None, "budget", 1.0),
        ("Start-up, launch to exit of the same runs (wall clock)",
         wall, None, None, "budget", 1.0),
        ("Open a run file (240032 bytes)", files["BM_OpenRunFile"], None, None, "budget", 10e-3),
        ("Save a run file (safe write, flushed to disk)", files["BM_SaveRunFile"], None, None, "budget", 10e-3),
        ("Expansion calculation, N = 999", analysis["BM_ExpansionN999"], None, None, "budget", 100e-3),
        ("Physical coefficient of 10000 samples, smoothing chosen by cross-validation",
         analysis["BM_Physical10000"], None, None, "budget", 50e-3),
        ("Spreadsheet export of 10000 samples (.xlsx written)",
         analysis["BM_XlsxExport10000"], None, None, "budget", 1.0),
        ("Glass transition and softening point, 10000 samples",
         glass["BM_GlassCommand10000"], None, None, "budget", 50e-3),
    ]
    print(f"Measured {context['date'][:10]} on {cpu_model()}, {context['num_cpus']} shared cores at "
          f"{context['mhz_per_cpu']} MHz; RelWithDebInfo build; times are medians.")
    print()
    print("| Measure | Varotem | Peer | ÷ peer | Budget | ÷ budget |")
    print("|---|---:|---|---:|---|---:|")
    for name, value, peer_name, peer_value, budget_name, budget in rows:
        peer_cell = f"{peer_name}: {seconds_text(peer_value)}" if peer_name else "—"
        budget_cell = f"{budget_name}: {seconds_text(budget)}" if budget_name else "—"
        print(f"| {name} | {seconds_text(value)} | {peer_cell} | {ratio_text(value, peer_value)} "
              f"| {budget_cell} | {ratio_text(value, budget)} |")
    peak = full["peak_rss_kib"] * 1024
    budget = 200 * mib
    print(f"| Peak memory, full run of {full['samples']} samples | {peak / mib:.0f} MiB | — | — "
          f"| budget: {budget / mib:.0f} MiB | {ratio_text(peak, budget)} |")
    print()
    print(f"The full run took {full['ticks']} ticks (1 % failed conversions) in {full['seconds']:.1f} s, "
          f"autosaving every 300 samples; the peak was {full['window_peak_rss_kib'] / 1024:.0f} MiB "
          f"once the window stood, before the first sample.")


def cpu_model():
    for line in Path("/proc/cpuinfo").read_text().splitlines():
        if line.startswith("model name"):
            return line.split(":", 1)[1].strip()
    return "an unnamed processor"

if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: perf_table.py <directory of bench/run's results>")
    main(sys.argv[1])

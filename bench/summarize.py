"""Turns bench/run.sh's raw results (one line of key=value figures per launch) into the table."""
import statistics
import sys


def read(path):
    rows = []
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            rows.append(dict(item.split("=", 1) for item in line.split()))
    return rows


def values(rows, platform, program, key):
    return [float(r[key]) for r in rows if r["platform"] == platform and r["program"] == program and key in r]


def spread(numbers, digits):
    if not numbers:
        return "–"
    return f"{statistics.median(numbers):.{digits}f} [{min(numbers):.{digits}f}–{max(numbers):.{digits}f}]"


def main():
    rows = read(sys.argv[1])
    print()
    print("load average before:", sys.argv[2].strip())
    print("load average after: ", sys.argv[3].strip())
    if len(sys.argv) > 4:
        print("fonts installed:    ", sys.argv[4].strip())
    print()
    header = f"{'measure':<44}{'platform':<10}{'n':>3}  {'Quillet median [range]':<26}{'floor median [range]':<26}{'ratio':>6}  {'goal':<16}met"
    print(header)
    print("-" * len(header))

    def row(label, platform, n, mine, floor="", ratio="", goal="", met=None):
        shown = "" if met is None else ("yes" if met else "NO")
        print(f"{label:<44}{platform:<10}{n:>3}  {mine:<26}{floor:<26}{ratio:>6}  {goal:<16}{shown}")

    def line(label, platform, key, digits, scale=1.0, goal="", check=None):
        mine = [v * scale for v in values(rows, platform, "product", key)]
        floor = [v * scale for v in values(rows, platform, "floor", key)]
        if not mine:
            return
        ratio = ""
        if floor and statistics.median(floor) > 0:
            ratio = f"{statistics.median(mine) / statistics.median(floor):.2f}"
        n = f"{len(mine)}" if len(mine) == len(floor) or not floor else f"{len(mine)}/{len(floor)}"
        row(label, platform, n, spread(mine, digits), spread(floor, digits), ratio, goal,
            None if check is None else check(mine, floor))

    def within(factor):
        return lambda mine, floor: bool(floor) and statistics.median(mine) <= factor * statistics.median(floor)

    def at_most(limit):
        return lambda mine, floor: statistics.median(mine) <= limit

    def faces(label, platform, key, digits, scale=1.0):
        """The same figure for the floor drawn in the window's faces, and the program's ratio to it."""
        mine = [v * scale for v in values(rows, platform, "product", key)]
        theirs = [v * scale for v in values(rows, platform, "faces", key)]
        if mine and theirs:
            row(label, platform, f"{len(theirs)}", "", spread(theirs, digits),
                f"{statistics.median(mine) / statistics.median(theirs):.2f}")

    line("start-up until first painted (ms)", "xcb", "startup_ms", 1, goal="≤ 1.15 × floor", check=within(1.15))
    faces("  floor in the window's faces; Quillet ÷ it", "xcb", "startup_ms", 1)
    line("start-up until first painted (ms)", "offscreen", "startup_ms", 1)
    line("start-up until mapped (ms)", "xcb", "mapped_ms", 1)
    line("CPU used until first painted (ms)", "xcb", "startup_cpu_ms", 1)
    line("CPU used until first painted (ms)", "offscreen", "startup_cpu_ms", 1, goal="≤ 1.2 × floor",
         check=within(1.2))
    faces("  floor in the window's faces; Quillet ÷ it", "offscreen", "startup_cpu_ms", 1)
    for platform in ("xcb", "offscreen"):
        line("resident memory, VmRSS (MiB)", platform, "rss_kib", 1, 1 / 1024, "≤ 1.15 × floor", within(1.15))
        faces("  floor in the window's faces; Quillet ÷ it", platform, "rss_kib", 1, 1 / 1024)
    line("idle CPU, window focused (% of a core)", "xcb", "idle_cpu_pct", 3, goal="≤ 0.1 %", check=at_most(0.1))
    line("  same from schedstat (%)", "xcb", "idle_cpu_sched_pct", 3)
    line("  wakeups of all threads (/s)", "xcb", "idle_wakeups_per_s", 1)
    line("  X server's CPU meanwhile (%)", "xcb", "idle_server_cpu_pct", 3)
    line("idle CPU, window not focused (%)", "xcb", "unfocused_cpu_pct", 3, goal="≤ 0.1 %", check=at_most(0.1))
    line("  same from schedstat (%)", "xcb", "unfocused_cpu_sched_pct", 3)
    line("  wakeups of all threads (/s)", "xcb", "unfocused_wakeups_per_s", 1)
    line("  X server's CPU meanwhile (%)", "xcb", "unfocused_server_cpu_pct", 3)

    # The clock line has no floor. Its lateness goals are judged offscreen, where no X server stands
    # between the timer and the line; no second may be skipped or shown twice on either platform.
    clocks = [r for r in rows if r["program"] == "clock"]
    for r in clocks:
        p = r["platform"]
        judged = p == "offscreen"
        if int(r.get("wake_n", "0")):
            row("clock timer woke, from the second (ms)", p, r["wake_n"],
                f"{float(r['wake_median_ms']):.2f} [{float(r['wake_min_ms']):.2f}–{float(r['wake_max_ms']):.2f}]")
        for what, key, limit in (("changed", "text", 0.5), ("painted", "paint", 1.0)):
            if int(r.get(f"{key}_n", "0")) == 0:
                continue
            median = float(r[f"{key}_median_ms"])
            row(f"clock line {what} after the second (ms)", p, r[f"{key}_n"],
                f"{median:.2f} [{float(r[f'{key}_min_ms']):.2f}–{float(r[f'{key}_max_ms']):.2f}]",
                goal=f"≤ {limit:g} ms" if judged else "", met=median <= limit if judged else None)
        wrong = int(r["skipped"]) + int(r["repeated"])
        row("clock seconds skipped / shown twice", p, r["clock_seconds"], f"{r['skipped']} / {r['repeated']}",
            goal="none", met=wrong == 0)

    print()
    for r in clocks:
        print(f"clock line, {r['platform']}: {r['text_n']} changes over {r['clock_seconds']} s, "
              f"{r['ticks_per_s']} timer ticks/s; 90 % of the changes within {float(r['text_p90_ms']):.2f} ms"
              + (f", of the paints within {float(r['paint_p90_ms']):.2f} ms" if int(r.get("paint_n", "0")) else ""))


main()

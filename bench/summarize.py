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
    print()
    header = f"{'measure':<44}{'platform':<10}{'n':>3}  {'Quillet median [range]':<26}{'floor median [range]':<26}{'ratio':>6}  {'goal':<16}met"
    print(header)
    print("-" * len(header))

    def line(label, platform, key, digits, scale=1.0, goal="", check=None):
        mine = [v * scale for v in values(rows, platform, "product", key)]
        floor = [v * scale for v in values(rows, platform, "floor", key)]
        if not mine:
            return
        ratio = ""
        if floor and statistics.median(floor) > 0:
            ratio = f"{statistics.median(mine) / statistics.median(floor):.2f}"
        met = "" if check is None else ("yes" if check(mine, floor) else "NO")
        n = f"{len(mine)}" if len(mine) == len(floor) or not floor else f"{len(mine)}/{len(floor)}"
        print(f"{label:<44}{platform:<10}{n:>3}  {spread(mine, digits):<26}{spread(floor, digits):<26}{ratio:>6}  {goal:<16}{met}")

    def within(factor):
        return lambda mine, floor: bool(floor) and statistics.median(mine) <= factor * statistics.median(floor)

    def below(limit):
        return lambda mine, floor: statistics.median(mine) < limit

    for platform in ("xcb", "offscreen"):
        line("start-up until first painted (ms)", platform, "startup_ms", 1, goal="≤ 1.2 × floor", check=within(1.2))
    line("start-up until mapped (ms)", "xcb", "mapped_ms", 1)
    for platform in ("xcb", "offscreen"):
        line("CPU used until first painted (ms)", platform, "startup_cpu_ms", 1)
    for platform in ("xcb", "offscreen"):
        line("resident memory, VmRSS (MiB)", platform, "rss_kib", 1, 1 / 1024, "≤ 1.2 × floor", within(1.2))
    line("idle CPU, window focused (% of a core)", "xcb", "idle_cpu_pct", 3, goal="< 0.2 %", check=below(0.2))
    line("  same from schedstat (%)", "xcb", "idle_cpu_sched_pct", 3)
    line("  wakeups of all threads (/s)", "xcb", "idle_wakeups_per_s", 1)
    line("  X server's CPU meanwhile (%)", "xcb", "idle_server_cpu_pct", 3)
    line("idle CPU, window not focused (%)", "xcb", "unfocused_cpu_pct", 3, goal="< 0.2 %", check=below(0.2))
    line("  same from schedstat (%)", "xcb", "unfocused_cpu_sched_pct", 3)
    line("  wakeups of all threads (/s)", "xcb", "unfocused_wakeups_per_s", 1)
    line("  X server's CPU meanwhile (%)", "xcb", "unfocused_server_cpu_pct", 3)

    print()
    for r in rows:
        if r["program"] != "clock":
            continue
        # The goal is judged offscreen, where no X server stands between the timer and the line.
        goal = ""
        if r["platform"] == "offscreen":
            goal = f"   (goal: median ≤ 2 ms: {'yes' if float(r['text_median_ms']) <= 2 else 'NO'})"
        print(f"clock line, {r['platform']}: {r['text_n']} changes over {r['clock_seconds']} s, "
              f"{r['ticks_per_s']} timer ticks/s, {r['skipped']} seconds skipped")
        print(f"  text changed after the second's boundary: median {float(r['text_median_ms']):.2f} ms, "
              f"90 % {float(r['text_p90_ms']):.2f} ms, max {float(r['text_max_ms']):.2f} ms{goal}")
        if int(r.get("paint_n", "0")) > 0:
            print(f"  line painted after the boundary:        median {float(r['paint_median_ms']):.2f} ms, "
                  f"90 % {float(r['paint_p90_ms']):.2f} ms, max {float(r['paint_max_ms']):.2f} ms")


main()

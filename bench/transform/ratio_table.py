#!/usr/bin/env python3
"""Prints the speed ratios of the conversion benchmarks as Markdown tables.

Reads one or more Google Benchmark JSON files of transform_bench (with repetitions: the
median is used, else the single run); the run with OpenCV limited to SSE4.1 adds its
opencv_sse41_* rows. For each conversion, size and implementation compared with, it gives
the rate of that implementation and the ratio (ours / theirs, pixel rates) of each
fwtransform tier and of the tier the library chose ("active"). A goal is checked on the
tier it names.
"""
import json
import sys

TIERS = ["scalar", "sse41", "avx2", "avx512"]
MEMCPY_WITHIN_1_3 = 1 / 1.3

# conversion, implementation compared with, tier the goal applies to, goal text, goal ratio
GOALS = [
    ("bayer8_to_bgr", "opencv_bilinear", "active", "≥ 1.5 (stretch 2)", 1.5),
    ("bayer8_to_bgr", "opencv_sse41_bilinear", "sse41", "≥ 1.0", 1.0),
    ("bayer8_to_bgr", "opencv_edge_aware", None, "", None),
    ("bayer8_to_bgr", "dc1394_hqlinear", None, "", None),
    ("bayer16_to_bgr", "opencv_convertto_bilinear", "active", "≥ 1.8", 1.8),
    ("bayer16_to_bgr", "opencv_sse41_convertto_bilinear", "sse41", "≥ 1.0", 1.0),
    ("yuv422_to_bgr", "opencv", "active", "≥ 2.5", 2.5),
    ("yuv422_to_bgr", "opencv_sse41", "sse41", "≥ 1.0", 1.0),
    ("yuv422_to_bgr", "dc1394", None, "", None),
    ("yuv411_to_bgr", "dc1394", "active", "≥ 3", 3.0),
    ("rgb8_to_bgr", "memcpy", "active", "≥ 0.77 (within 1.3x of memcpy)", MEMCPY_WITHIN_1_3),
    ("rgb8_to_bgr", "opencv", None, "", None),
    ("rgb8_to_bgr", "opencv_sse41", "sse41", "≥ 1.0", 1.0),
    ("y16_to_y8", "memcpy", "active", "≥ 0.77 (within 1.3x of memcpy)", MEMCPY_WITHIN_1_3),
    ("y16_to_y8", "opencv_convertto", None, "", None),
    ("y16_to_y8", "opencv_sse41_convertto", "sse41", "≥ 1.0", 1.0),
    ("y16_to_y8", "dc1394", None, "", None),
    ("cygm_bin_to_bgr", "memcpy", "active", "≥ 0.5 (within 2x of memcpy)", 0.5),
    ("deinterlace", "memcpy", "active", "≥ 0.5 (within 2x of memcpy)", 0.5),
]


def run_rates(path):
    """Median (else single) pixel rate per benchmark of one run; empty without results."""
    # A filter that matches no conversion leaves no file, or one without results.
    try:
        with open(path) as file:
            benchmarks = json.load(file).get("benchmarks", [])
    except (OSError, ValueError):
        return {}
    rates = {}
    for entry in benchmarks:
        name = entry.get("run_name", entry["name"])
        aggregate = entry.get("aggregate_name")
        if entry.get("run_type") == "aggregate" and aggregate != "median":
            continue
        if "items_per_second" in entry and (aggregate == "median" or name not in rates):
            rates[name] = entry["items_per_second"]
    return rates


def main(paths):
    runs = [rates for rates in map(run_rates, paths) if rates]
    sizes = sorted({name.split("/")[2] for rates in runs for name in rates
                    if name.count("/") == 2}, key=lambda s: int(s.split("x")[0]))
    if not sizes:
        print("No conversion benchmark ran: no ratio table.")
        return
    print("| Conversion | Compared with | Size | other Mpix/s | "
          + " | ".join(TIERS) + " | active | Goal |")
    print("|---|---|---|---|" + "---|" * len(TIERS) + "---|---|")
    for conversion, other, goal_tier, goal_text, goal in GOALS:
        for size in sizes:
            # Ours from the run that measured theirs: ratios within one process only.
            rates = next((r for r in runs if f"{conversion}/{other}/{size}" in r), None)
            if rates is None:
                continue
            theirs = rates[f"{conversion}/{other}/{size}"]
            ratios = {}
            for tier in TIERS + ["active"]:
                implementation = "fwtransform" if tier == "active" else f"fwtransform_{tier}"
                ours = rates.get(f"{conversion}/{implementation}/{size}")
                if ours is not None:
                    ratios[tier] = ours / theirs
            if not ratios:
                continue
            cells = [f"{ratios[t]:.2f}" if t in ratios else "" for t in TIERS + ["active"]]
            verdict = ""
            if goal is not None and goal_tier in ratios:
                verdict = f" ({goal_tier}) " + ("met" if ratios[goal_tier] >= goal else "**missed**")
            print(f"| {conversion} | {other} | {size} | {theirs / 1e6:,.0f} | "
                  + " | ".join(cells) + f" | {goal_text}{verdict} |")


if __name__ == "__main__":
    main(sys.argv[1:])

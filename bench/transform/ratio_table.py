#!/usr/bin/env python3
"""Prints the speed ratios of the conversion benchmarks as a Markdown table.

Reads a Google Benchmark JSON file of transform_bench (with repetitions: the median is
used, else the single run) and compares each fwtransform conversion with the
implementation its goal names, at every frame size.
"""
import json
import sys

# conversion, implementation compared with, goal (ratio of pixel rates, ours / theirs)
GOALS = [
    ("bayer8_to_bgr", "opencv_bilinear", "≥ 1.0 (stretch 1.5)", 1.0),
    ("bayer8_to_bgr", "opencv_edge_aware", "", None),
    ("bayer8_to_bgr", "dc1394_hqlinear", "", None),
    ("bayer16_to_bgr", "opencv_convertto_bilinear", "≥ 1.0", 1.0),
    ("yuv422_to_bgr", "opencv", "≥ 1.3", 1.3),
    ("yuv422_to_bgr", "dc1394", "", None),
    ("yuv411_to_bgr", "dc1394", "≥ 3", 3.0),
    ("rgb8_to_bgr", "opencv", "≥ 0.9", 0.9),
    ("y16_to_y8", "opencv_convertto", "≥ 1.0", 1.0),
    ("y16_to_y8", "dc1394", "", None),
    ("cygm_bin_to_bgr", "memcpy", "≥ 0.5 (within 2x of memcpy)", 0.5),
    ("deinterlace", "memcpy", "≥ 0.5 (within 2x of memcpy)", 0.5),
]


def pixel_rates(path):
    with open(path) as file:
        benchmarks = json.load(file)["benchmarks"]
    rates = {}
    for entry in benchmarks:
        name = entry.get("run_name", entry["name"])
        aggregate = entry.get("aggregate_name")
        if entry.get("run_type") == "aggregate" and aggregate != "median":
            continue
        if aggregate == "median" or name not in rates:
            rates[name] = entry["items_per_second"]
    return rates


def main(path):
    rates = pixel_rates(path)
    sizes = sorted({name.split("/")[2] for name in rates}, key=lambda s: int(s.split("x")[0]))
    print("| Conversion | Compared with | Size | fwtransform Mpix/s | other Mpix/s | Ratio | Goal |")
    print("|---|---|---|---|---|---|---|")
    for conversion, other, goal_text, goal in GOALS:
        for size in sizes:
            ours = rates.get(f"{conversion}/fwtransform/{size}")
            theirs = rates.get(f"{conversion}/{other}/{size}")
            if ours is None or theirs is None:
                continue
            ratio = ours / theirs
            verdict = "" if goal is None else (" met" if ratio >= goal else " **missed**")
            print(f"| {conversion} | {other} | {size} | {ours / 1e6:,.0f} | {theirs / 1e6:,.0f} "
                  f"| {ratio:.2f} | {goal_text}{verdict} |")


if __name__ == "__main__":
    main(sys.argv[1])

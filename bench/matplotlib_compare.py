#!/usr/bin/python3
"""The reference drawing for bench_draw's BM_DrawStress: 6 filled pressure
diagrams and their hatch lines for N points a lobe, drawn by matplotlib (Agg)
at 1920x1080. Prints the median CPU time of a redraw in ms as JSON.
usage: bench/matplotlib_compare.py [N ...]   (needs python3-matplotlib)"""
import json, math, statistics, sys, time
import matplotlib
matplotlib.use("Agg")
import matplotlib.pyplot as plt
from matplotlib.collections import LineCollection
from matplotlib.patches import Polygon

def figure(n):
    fig = plt.figure(figsize=(19.2, 10.8), dpi=100)
    ax = fig.add_axes([0, 0, 1, 1])
    ax.set_xlim(-2.67, 2.67); ax.set_ylim(-1.5, 1.5); ax.set_axis_off()
    colours = [(1, 1, 0), (0, 1, 0), (0, 0, 1), (1, 1, 0), (1, 0, 1), (1, 0, 0)]
    for k in range(6):
        a0 = math.radians(60 * k + 5); a1 = math.radians(60 * k + 55)
        cx, cy = 0.1 * math.cos(a0), 0.1 * math.sin(a0)
        arc, inner, lines = [], [], []
        for p in range(n):
            a = a0 + (a1 - a0) * p / (n - 1)
            d = 1 - 0.7 * math.sin(math.pi * p / (n - 1))
            P = (cx + math.cos(a), cy + math.sin(a)); Q = (cx + d * math.cos(a), cy + d * math.sin(a))
            arc.append(P); inner.append(Q); lines.append((P, Q))
        ax.add_patch(Polygon(arc + inner[::-1], closed=True, facecolor=colours[k], edgecolor="none"))
        ax.add_collection(LineCollection(lines, colors=[(0.41, 0.41, 0.41)], linewidths=1))
    return fig

out = {}
for n in [int(a) for a in sys.argv[1:]] or [200, 10000]:
    fig = figure(n)
    fig.canvas.draw()
    times = []
    for _ in range(5):
        t = time.process_time(); fig.canvas.draw(); times.append((time.process_time() - t) * 1000)
    out[str(n)] = statistics.median(times)
    plt.close(fig)
print(json.dumps({"matplotlib_ms": out}))

#!/usr/bin/python3
"""Draws the About box picture: a 156 x 213 pixel JPEG of a table turning into a
drawing. Run with /usr/bin/python3 (needs python3-matplotlib and its Pillow).

    /usr/bin/python3 install/make_about_picture.py [OUTPUT]   # default: install/about.jpg
"""
import os
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
from matplotlib.patches import Rectangle  # noqa: E402
from PIL import Image  # noqa: E402

WIDTH, HEIGHT = 156, 213
DPI = 100


def draw(path):
    fig = plt.figure(figsize=(WIDTH / DPI, HEIGHT / DPI), dpi=DPI)
    ax = fig.add_axes([0, 0, 1, 1])
    ax.set_xlim(0, WIDTH)
    ax.set_ylim(0, HEIGHT)
    ax.axis("off")

    # Background: drafting-paper blue with a faint grid.
    ax.add_patch(Rectangle((0, 0), WIDTH, HEIGHT, color="#1f3b5c", zorder=0))
    for x in range(0, WIDTH, 12):
        ax.plot([x, x], [0, HEIGHT], color="#2d5078", linewidth=0.5, zorder=0.5)
    for y in range(0, HEIGHT, 12):
        ax.plot([0, WIDTH], [y, y], color="#2d5078", linewidth=0.5, zorder=0.5)

    # The spreadsheet: a header row and coloured cells.
    left, top, cw, rh = 14, 196, 32, 16
    colours = ["#ffffcc", "#ccffcc", "#ccccff", "#ffcc99"]
    for r in range(6):
        for c in range(4):
            fill = "#c0c0c0" if r == 0 else colours[(r + c) % 4]
            ax.add_patch(Rectangle((left + c * cw, top - (r + 1) * rh), cw, rh,
                                   facecolor=fill, edgecolor="#333333", linewidth=0.8))

    # The same table as drawing lines, below and offset.
    dl, dt = 20, 86
    for r in range(5):
        y = dt - r * 14
        ax.plot([dl, dl + 4 * 30], [y, y], color="#ffffff", linewidth=0.9)
    for c in range(5):
        x = dl + c * 30
        ax.plot([x, x], [dt, dt - 4 * 14], color="#ffffff", linewidth=0.9)
    ax.annotate("", xy=(78, 90), xytext=(78, 99),
                arrowprops=dict(arrowstyle="-|>", color="#ffcc00", lw=1.5))

    ax.text(WIDTH / 2, 12, "Tabulo", color="#ffcc00", ha="center", va="bottom",
            fontsize=13, fontweight="bold", family="serif")

    fig.canvas.draw()
    image = Image.frombuffer("RGBA", fig.canvas.get_width_height(), fig.canvas.buffer_rgba())
    plt.close(fig)
    image = image.convert("RGB")
    if image.size != (WIDTH, HEIGHT):
        image = image.resize((WIDTH, HEIGHT))
    image.save(path, "JPEG", quality=90)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    draw(sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "about.jpg"))

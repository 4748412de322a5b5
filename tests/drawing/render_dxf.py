#!/usr/bin/python3
"""Renders a drawing's model space to a PNG with ezdxf's drawing add-on.

usage: render_dxf.py DRAWING.dxf PICTURE.png [DPI]

Used to look at what the stand-in writes, e.g. docs/images/dxf_table.png.
"""
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402

import ezdxf  # noqa: E402
from ezdxf.addons.drawing import Frontend, RenderContext  # noqa: E402
from ezdxf.addons.drawing.matplotlib import MatplotlibBackend  # noqa: E402


def main():
    drawing, picture = sys.argv[1], sys.argv[2]
    dpi = int(sys.argv[3]) if len(sys.argv) > 3 else 150
    doc = ezdxf.readfile(drawing)
    figure = plt.figure()
    axes = figure.add_axes([0, 0, 1, 1])
    Frontend(RenderContext(doc), MatplotlibBackend(axes)).draw_layout(doc.modelspace(), finalize=True)
    figure.savefig(picture, dpi=dpi)
    plt.close(figure)


if __name__ == "__main__":
    main()

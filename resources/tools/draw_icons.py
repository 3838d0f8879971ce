#!/usr/bin/env python3
"""Draws every picture of orlinres.dll as SVG and renders it to PNG with rsvg-convert.

All pictures are designed on a 16-unit grid with 1-unit outlines on half units, so that the
16x16 icons are crisp and the larger sizes are the same drawing scaled. Run it from anywhere;
it rewrites resources/images/*/*.png and the program's own icon, resources/icons/orlin.svg (the
desktop entry's icon, installed as a scalable icon; `--app-icon` writes only that one). Needs python3 and rsvg-convert (librsvg2-bin); the build
does not run it, the finished PNGs are committed.
"""
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
IMAGES = os.path.join(os.path.dirname(HERE), "images")

# Palette: a light fill and a dark outline per hue.
INK = "#2e3436"
WHITE = "#fafafa"          # never pure white: pure white is the popup list's transparent colour
PAPER, PAPER_D = "#fafafa", "#888a85"
GREY, GREY_D = "#d3d7cf", "#555753"
BLUE, BLUE_D = "#729fcf", "#204a87"
SKY = "#bde0fb"
GREEN, GREEN_D = "#8ae234", "#4e9a06"
RED, RED_D = "#ef2929", "#a40000"
ORANGE, ORANGE_D = "#fcaf3e", "#ce5c00"
YELLOW, YELLOW_D = "#fce94f", "#c4a000"
BROWN, BROWN_D = "#e9b96e", "#8f5902"
PURPLE, PURPLE_D = "#ad7fa8", "#5c3566"
PINK, PINK_D = "#f4a6c8", "#b03c72"
SKIN = "#fcd9b6"


def attrs(fill, stroke, width, extra=""):
    s = f'fill="{fill}"'
    if stroke:
        s += f' stroke="{stroke}" stroke-width="{width}" stroke-linejoin="round" stroke-linecap="round"'
    return s + (" " + extra if extra else "")


def rect(x, y, w, h, fill, stroke=INK, rx=0, width=1):
    return f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{rx}" {attrs(fill, stroke, width)}/>'


def circle(cx, cy, r, fill, stroke=INK, width=1):
    return f'<circle cx="{cx}" cy="{cy}" r="{r}" {attrs(fill, stroke, width)}/>'


def ellipse(cx, cy, rx, ry, fill, stroke=INK, width=1):
    return f'<ellipse cx="{cx}" cy="{cy}" rx="{rx}" ry="{ry}" {attrs(fill, stroke, width)}/>'


def path(d, fill="none", stroke=INK, width=1):
    return f'<path d="{d}" {attrs(fill, stroke, width)}/>'


def text(x, y, s, size, fill, weight="bold", family="DejaVu Sans"):
    return (f'<text x="{x}" y="{y}" font-family="{family}" font-size="{size}" font-weight="{weight}" '
            f'fill="{fill}" text-anchor="middle">{s}</text>')


def group(content, transform):
    return f'<g transform="{transform}">{content}</g>'


# ---- badges in the lower right corner ---------------------------------------------------
def badge_plus():
    return path("M10.5 8.5H13.5V10.5H15.5V13.5H13.5V15.5H10.5V13.5H8.5V10.5H10.5Z", GREEN, GREEN_D)


def badge_down(fill=GREEN, stroke=GREEN_D):
    return path("M10.5 8.5H13.5V11.5H15.5L12 15.5L8.5 11.5H10.5Z", fill, stroke)


def badge_up(fill=BLUE, stroke=BLUE_D):
    return path("M10.5 15.5H13.5V12.5H15.5L12 8.5L8.5 12.5H10.5Z", fill, stroke)


def badge_right(fill=BLUE, stroke=BLUE_D):
    return path("M8.5 10.5H11.5V8.5L15.5 12L11.5 15.5V13.5H8.5Z", fill, stroke)


def badge_left(fill=GREEN, stroke=GREEN_D):
    return path("M15.5 10.5H12.5V8.5L8.5 12L12.5 15.5V13.5H15.5Z", fill, stroke)


def badge_star():
    return star(12, 12, 4, 1.8, YELLOW, YELLOW_D)


def badge_arrows():
    return (circle(12, 12, 3.8, GREEN, GREEN_D) +
            path("M10 12.5A2 2 0 0 1 13.6 11", "none", WHITE, 1) +
            path("M14 13A2 2 0 0 1 10.4 13.2", "none", WHITE, 1))


def shrink(content, scale=0.75):
    """The main symbol made smaller towards the upper left, to leave room for a badge."""
    return group(content, f"scale({scale})")


# ---- symbols ---------------------------------------------------------------------------
def star(cx, cy, r, r2, fill, stroke):
    import math
    pts = []
    for i in range(10):
        a = -math.pi / 2 + i * math.pi / 5
        rr = r if i % 2 == 0 else r2
        pts.append(f"{cx + rr * math.cos(a):.2f} {cy + rr * math.sin(a):.2f}")
    return path("M" + "L".join(pts) + "Z", fill, stroke)


def briefcase():
    return (path("M5.5 4.5V2.5H10.5V4.5", "none", BROWN_D) + rect(1.5, 4.5, 13, 9, BROWN, BROWN_D, 1) +
            path("M1.5 8.5H14.5", "none", BROWN_D) + rect(6.5, 7.5, 3, 2, YELLOW, BROWN_D))


def house():
    return (rect(3.5, 7.5, 9, 7, BROWN, BROWN_D) + rect(6.5, 10.5, 3, 4, RED_D, None) +
            path("M0.5 8.5L8 1.5L15.5 8.5Z", RED, RED_D) + rect(10.5, 2.5, 2, 3, GREY, GREY_D))


def desk_phone():
    return (path("M3.5 14.5L5 8.5H11L12.5 14.5Z", GREEN, GREEN_D) +
            path("M2 6.5C2 1.5 14 1.5 14 6.5", "none", GREEN_D, 3) +
            path("M2 6.5C2 1.5 14 1.5 14 6.5", "none", GREEN, 1) +
            rect(6.5, 10.5, 3, 2, WHITE, GREEN_D))


def mobile(body=GREY_D, screen=SKY):
    keys = "".join(rect(5.5 + 2 * (i % 3), 9.5 + 2 * (i // 3), 1, 1, WHITE, None) for i in range(6))
    return (rect(4.5, 0.5, 7, 15, body, INK, 1.5) + rect(5.5, 2.5, 5, 5, screen, INK) + keys)


def flip_phone():
    keys = "".join(rect(5.5 + 2 * (i % 3), 10.5 + 2 * (i // 3), 1, 1, WHITE, None) for i in range(6))
    return (path("M5.5 7.5L4 1.5Q4 0.5 5 0.5H11Q12 0.5 12 1.5L10.5 7.5Z", GREY, GREY_D) +
            path("M5.7 2H10.3L9.5 5.5H6.5Z", SKY, BLUE_D, 0.8) +
            rect(4.5, 8.5, 7, 7, BLUE, BLUE_D, 1.5) + keys + rect(4.5, 6.5, 7, 2.5, GREY_D, INK, 1))


def fax():
    return (rect(4.5, 0.5, 7, 8, WHITE, PAPER_D) + path("M6 3H10M6 5H10", "none", PAPER_D) +
            rect(1.5, 7.5, 13, 7, GREY, GREY_D, 1) + rect(3.5, 9.5, 6, 1, GREY_D, None) +
            rect(11.5, 9.5, 2, 3, GREEN, GREEN_D))


def pager():
    return (rect(1.5, 3.5, 13, 9, GREY_D, INK, 2) + rect(3.5, 5.5, 7, 4, "#c6e59b", INK) +
            path("M5 7.5H9", "none", GREEN_D) + circle(12.5, 7.5, 1, RED, None) + rect(5, 12.5, 6, 1, INK, None))


def at_sign():
    return (text(8, 13.5, "@", 17, BLUE_D) +
            f'<text x="8" y="13.5" font-family="DejaVu Sans" font-size="17" font-weight="bold" fill="{BLUE}" '
            f'stroke="{BLUE_D}" stroke-width="0.6" text-anchor="middle">@</text>')


def two_people():
    return (circle(10.5, 4, 2.5, SKY, BLUE_D) + path("M6 12.5C6 6.5 15.5 6.5 15.5 12.5Z", SKY, BLUE_D) +
            circle(5.5, 6, 2.5, BLUE, BLUE_D) + path("M0.5 15.5C0.5 8.5 10.5 8.5 10.5 15.5Z", BLUE, BLUE_D))


def sim_card():
    return (path("M3.5 0.5H9.5L12.5 3.5V15.5H3.5Z", GREY, GREY_D) + rect(5.5, 6.5, 5, 6, YELLOW, YELLOW_D, 1) +
            path("M5.5 9.5H10.5M8 6.5V12.5", "none", YELLOW_D))


def face(fill=YELLOW, stroke=YELLOW_D):
    return circle(8, 8, 7, fill, stroke)


def awful():
    return (face() + circle(5.5, 7, 1, INK, None) + circle(10.5, 7, 1, INK, None) +
            path("M3.5 4.5L6.5 5.5M12.5 4.5L9.5 5.5", "none", INK) + path("M5 12Q8 9 11 12", "none", INK) +
            path("M11.5 8.5Q12.5 10.5 11.5 11Q10.5 10.5 11.5 8.5Z", BLUE, None))


def buddy():
    return (face() + circle(5.5, 6, 1, INK, None) + path("M9.5 6.5H11.5", "none", INK) +
            path("M4.5 9.5Q8 13.5 11.5 9.5", "none", INK))


def baby():
    return (face(SKIN, BROWN_D) + path("M7 1.5Q9 0.5 9 2.5", "none", BROWN_D) +
            path("M4.5 6.5Q5.5 5.5 6.5 6.5M9.5 6.5Q10.5 5.5 11.5 6.5", "none", INK) +
            circle(8, 11, 2, PINK, PINK_D) + circle(8, 11, 0.7, WHITE, None))


def robot():
    return (path("M8 4.5V2", "none", INK) + circle(8, 1.5, 1.2, RED, RED_D) +
            rect(2.5, 4.5, 11, 10, GREY, GREY_D, 1) + rect(4.5, 6.5, 2, 2, SKY, BLUE_D) +
            rect(9.5, 6.5, 2, 2, SKY, BLUE_D) + rect(4.5, 10.5, 7, 2, WHITE, GREY_D) +
            path("M6.5 10.5V12.5M8.5 10.5V12.5", "none", GREY_D) + rect(1, 8, 1.5, 3, GREY_D, None) +
            rect(13.5, 8, 1.5, 3, GREY_D, None))


def cutie():
    return (face() + path("M4.5 7Q5.5 5.5 6.5 7M9.5 7Q10.5 5.5 11.5 7", "none", INK) +
            circle(4, 9.5, 1.3, PINK, None) + circle(12, 9.5, 1.3, PINK, None) +
            path("M6 10.5Q8 12.5 10 10.5", "none", INK) +
            path("M11 2.5L14.5 0.8V4.2ZM11 2.5L7.5 0.8V4.2Z", PINK, PINK_D))


def crown():
    return (path("M1.5 12.5V4.5L5 8L8 2.5L11 8L14.5 4.5V12.5Z", YELLOW, YELLOW_D) +
            rect(1.5, 12.5, 13, 2, ORANGE, YELLOW_D) + circle(8, 9.5, 1.2, RED, None) +
            circle(4.5, 10.5, 0.9, BLUE, None) + circle(11.5, 10.5, 0.9, BLUE, None))


def nasty():
    return (face(GREEN, GREEN_D) + path("M4 5.5L7 7M4 7L7 5.5M9 5.5L12 7M9 7L12 5.5", "none", INK) +
            path("M4 11Q5 9.5 6 11T8 11T10 11T12 11", "none", INK) + path("M8.5 11.5Q9.5 14.5 10.5 11.5", PINK, PINK_D))


def family():
    return (circle(4, 3.5, 2, SKIN, BROWN_D) + path("M0.5 14.5V9.5Q0.5 6.5 4 6.5Q7.5 6.5 7.5 9.5V14.5Z", BLUE, BLUE_D) +
            circle(12, 3.5, 2, SKIN, BROWN_D) + path("M8.5 14.5V9.5Q8.5 6.5 12 6.5Q15.5 6.5 15.5 9.5V14.5Z", RED, RED_D) +
            circle(8, 8.5, 1.5, SKIN, BROWN_D) + path("M5.5 15.5V13Q5.5 10.5 8 10.5Q10.5 10.5 10.5 13V15.5Z", GREEN, GREEN_D))


def big_star():
    return star(8, 8.5, 7.5, 3.2, YELLOW, YELLOW_D)


def mortarboard():
    return (path("M4 7.5V11.5Q8 14 12 11.5V7.5", INK, INK) + path("M0.5 6L8 2.5L15.5 6L8 9.5Z", GREY_D, INK) +
            path("M8 6L13.5 7.5V12", "none", YELLOW_D, 1) + circle(13.5, 12.5, 1, YELLOW, YELLOW_D))


def gem():
    return (path("M4 2.5H12L15.5 6.5L8 14.5L0.5 6.5Z", "#8ee0f0", "#06829a") +
            path("M0.5 6.5H15.5M5.5 6.5L8 14.5L10.5 6.5M4 2.5L5.5 6.5L8 2.5L10.5 6.5L12 2.5", "none", "#06829a"))


def ufo():
    return (path("M4.5 8.5A3.5 3.5 0 0 1 11.5 8.5Z", SKY, BLUE_D) + ellipse(8, 10, 7.5, 3, GREY, GREY_D) +
            circle(4, 10, 0.9, YELLOW, None) + circle(8, 11, 0.9, YELLOW, None) + circle(12, 10, 0.9, YELLOW, None) +
            path("M5.5 13.5L4 15.5M10.5 13.5L12 15.5", "none", GREEN_D))


def skull():
    return (path("M2.5 7.5A5.5 5.5 0 0 1 13.5 7.5V10.5H11.5V14.5H4.5V10.5H2.5Z", PAPER, INK) +
            circle(5.5, 8, 1.6, INK, None) + circle(10.5, 8, 1.6, INK, None) +
            path("M7 12.5V14.5M9 12.5V14.5", "none", INK) + path("M7.5 10.5H8.5", "none", INK))


def soccer_ball():
    return (circle(8, 8, 7, WHITE, INK) + path("M8 5L10.9 7.1L9.8 10.5H6.2L5.1 7.1Z", INK, INK) +
            path("M8 5V1.2M10.9 7.1L14.6 6M9.8 10.5L12 13.8M6.2 10.5L4 13.8M5.1 7.1L1.4 6", "none", INK))


def heart(fill=RED, stroke=RED_D):
    return path("M8 14.5L2 8.5A3.3 3.3 0 0 1 8 3.8A3.3 3.3 0 0 1 14 8.5Z", fill, stroke)


def contact_card():
    return (rect(0.5, 2.5, 15, 11, PAPER, PAPER_D, 1) + circle(4.5, 6.5, 1.8, BLUE, BLUE_D) +
            path("M1.5 12C1.5 8.5 7.5 8.5 7.5 12Z", BLUE, BLUE_D) + path("M9 6H13.5M9 8.5H13.5M9 11H12", "none", GREY_D))


def calendar(day=None):
    body = (rect(1.5, 2.5, 13, 12, PAPER, PAPER_D, 1) + rect(1.5, 2.5, 13, 3, RED, RED_D) +
            path("M4.5 1V4M11.5 1V4", "none", INK))
    if day:
        body += text(8, 13.2, day, 7, INK)
    else:
        body += "".join(rect(3.5 + 3 * (i % 3), 7.5 + 2.5 * (i // 3), 2, 1.5, GREY_D, None) for i in range(6))
    return body


def folder(fill=YELLOW, stroke=YELLOW_D):
    return path("M0.5 2.5H6L7.5 4.5H15.5V14.5H0.5Z", fill, stroke) + path("M0.5 6.5H15.5", "none", stroke)


def open_folder(fill=YELLOW, stroke=YELLOW_D):
    return (path("M0.5 14.5V2.5H6L7.5 4.5H13.5V7.5", fill, stroke) +
            path("M0.5 14.5L3 7.5H15.5L13 14.5Z", "#fdf5a0", stroke))


def sheet():
    return path("M2.5 0.5H9.5L13.5 4.5V15.5H2.5Z", PAPER, PAPER_D) + path("M9.5 0.5V4.5H13.5", "none", PAPER_D)


def pencil():
    return (path("M3 13L12 4L14 6L5 15L2 15.5Z", ORANGE, ORANGE_D) + path("M3 13L5 15", "none", ORANGE_D) +
            path("M12 4L13.5 2.5L15.5 4.5L14 6Z", PINK, PINK_D))


def draft():
    return (sheet() + path("M4.5 4H8M4.5 6.5H10M4.5 9H7", "none", GREY_D) +
            group(pencil(), "translate(3 1) scale(0.8)"))


def archive_box():
    return (rect(1.5, 6.5, 13, 8, BROWN, BROWN_D) + rect(0.5, 3.5, 15, 3, BROWN, BROWN_D) +
            rect(5.5, 8.5, 5, 2, PAPER, BROWN_D))


def envelope(fill=PAPER, stroke=GREY_D):
    return rect(0.5, 3.5, 15, 10, fill, stroke) + path("M0.5 3.5L8 9.5L15.5 3.5", "none", stroke)


def open_envelope():
    return (path("M0.5 7.5L8 2.5L15.5 7.5", GREY, GREY_D) + rect(2.5, 3.5, 11, 7, PAPER, PAPER_D) +
            path("M4.5 5.5H11.5M4.5 7.5H11.5", "none", GREY_D) +
            path("M0.5 7.5V15.5H15.5V7.5L8 12.5Z", GREY, GREY_D))


def envelope_new():
    return envelope(YELLOW, YELLOW_D) + circle(13, 4, 2.5, RED, RED_D)


def check():
    return path("M1.5 8.5L4.5 5.5L7 8L12.5 2.5L15 5L7 13Z", GREEN, GREEN_D)


def hourglass():
    return (path("M3.5 0.5H12.5M3.5 15.5H12.5", "none", BROWN_D, 1.5) +
            path("M4.5 1.5H11.5Q11.5 6 8 8Q11.5 10 11.5 14.5H4.5Q4.5 10 8 8Q4.5 6 4.5 1.5Z", WHITE, GREY_D) +
            path("M5.5 14L8 10L10.5 14Z", ORANGE, None) + path("M6.5 4.5H9.5L8 6.5Z", ORANGE, None))


def magnifier():
    return circle(6.5, 6.5, 5, SKY, GREY_D) + path("M10 10L15 15", "none", GREY_D, 2.5)


def triangle_down():
    return path("M3.5 5.5H12.5L8 11.5Z", GREY_D, INK)


def triangle_up():
    return path("M3.5 11.5H12.5L8 5.5Z", GREY_D, INK)


def monitor():
    return (rect(0.5, 1.5, 15, 10, GREY, GREY_D, 1) + rect(1.5, 2.5, 13, 8, INK, INK) +
            path("M3 4.5L5 6L3 7.5M6 8.5H9", "none", GREEN, 1) + path("M5.5 14.5H10.5M8 11.5V14.5", "none", GREY_D))


def info_circle():
    return circle(8, 8, 7.5, BLUE, BLUE_D) + circle(8, 4.5, 1.2, WHITE, None) + rect(7, 6.8, 2, 6, WHITE, None)


def address_book():
    tabs = "".join(rect(13.5, 2 + 3 * i, 2, 2.5, c, None) for i, c in enumerate([RED, GREEN, BLUE, ORANGE]))
    return (tabs + rect(1.5, 0.5, 12, 15, BLUE, BLUE_D, 1) + rect(1.5, 0.5, 2, 15, BLUE_D, None) +
            circle(8.5, 6, 2.2, SKY, None) + path("M4.5 12.5C4.5 8.5 12.5 8.5 12.5 12.5Z", SKY, None))


def speech_bubble():
    return (path("M1.5 2.5H14.5V11.5H7L3.5 14.5V11.5H1.5Z", YELLOW, YELLOW_D) +
            circle(4.8, 7, 1, YELLOW_D, None) + circle(8, 7, 1, YELLOW_D, None) + circle(11.2, 7, 1, YELLOW_D, None))


def palette():
    return (path("M8 1C3.5 1 0.5 4 0.5 8C0.5 12 3.5 15 7.5 15C9 15 9 13.5 8.5 12.5C8 11.5 8.5 10.5 10 10.5H12.5"
                 "C14.5 10.5 15.5 9.5 15.5 7.5C15.5 3.5 12 1 8 1Z", BROWN, BROWN_D) +
            circle(4, 7, 1.3, RED, None) + circle(6, 4, 1.3, YELLOW, None) + circle(10, 3.8, 1.3, GREEN, None) +
            circle(12.8, 6.5, 1.3, BLUE, None) + circle(4.5, 11, 1.3, PURPLE, None))


def floppy():
    return (path("M0.5 0.5H13L15.5 3V15.5H0.5Z", BLUE, BLUE_D) + rect(3.5, 0.5, 8, 5, PAPER, BLUE_D) +
            rect(8.5, 1.5, 2, 3, BLUE_D, None) + rect(2.5, 8.5, 11, 7, PAPER, BLUE_D))


def refresh_arrows():
    return (path("M13 6.5A5.5 5.5 0 0 0 3 5", "none", GREEN_D, 3.2) + path("M13 6.5A5.5 5.5 0 0 0 3 5", "none", GREEN, 1.4) +
            path("M3 9.5A5.5 5.5 0 0 0 13 11", "none", GREEN_D, 3.2) + path("M3 9.5A5.5 5.5 0 0 0 13 11", "none", GREEN, 1.4) +
            path("M0.5 1.5L1 7.5L6.5 5.5Z", GREEN, GREEN_D) + path("M15.5 14.5L15 8.5L9.5 10.5Z", GREEN, GREEN_D))


def red_cross():
    return path("M1.5 4.5L4.5 1.5L8 5L11.5 1.5L14.5 4.5L11 8L14.5 11.5L11.5 14.5L8 11L4.5 14.5L1.5 11.5L5 8Z", RED, RED_D)


def person():
    return (circle(7, 4.5, 3, SKIN, BROWN_D) + path("M1.5 15.5C1.5 8.5 12.5 8.5 12.5 15.5Z", BLUE, BLUE_D))


def two_sheets():
    return (path("M5.5 0.5H12L15.5 4V12.5H5.5Z", PAPER, PAPER_D) + path("M0.5 3.5H7L10.5 7V15.5H0.5Z", PAPER, PAPER_D) +
            path("M2.5 9.5H8.5M2.5 12H8.5", "none", GREY_D))


def clock():
    return (circle(8, 8, 7, WHITE, GREY_D) + circle(8, 8, 7, "none", BLUE_D) +
            path("M8 3.5V8L11 10", "none", INK, 1.3) + circle(8, 8, 0.8, RED, None))


def eraser():
    return (group(rect(1.5, 4.5, 13, 6, PINK, PINK_D, 1) + rect(1.5, 4.5, 5, 6, BLUE, BLUE_D, 1),
                  "rotate(-35 8 8)") + path("M2.5 15.5H13.5", "none", GREY_D))


def trash_can():
    return (rect(2.5, 3.5, 11, 2, GREY, GREY_D) + path("M6.5 3.5V1.5H9.5V3.5", "none", GREY_D) +
            path("M3.5 5.5L4.5 15.5H11.5L12.5 5.5Z", GREY, GREY_D) + path("M6.5 7.5V13.5M9.5 7.5V13.5", "none", GREY_D))


def magic_wand():
    return (path("M1.5 14.5L10 6", "none", INK, 2.5) + path("M9 7L11 5", "none", WHITE, 2.5) +
            star(12, 4, 3.8, 1.6, YELLOW, YELLOW_D) + star(4.5, 4, 2, 0.8, YELLOW, YELLOW_D) +
            star(13, 12.5, 2, 0.8, YELLOW, YELLOW_D))


# ---- the sets ----------------------------------------------------------------------------
SMALL = [
    ("PHONETYPE_01", briefcase()),             # work
    ("PHONETYPE_02", house()),                 # home
    ("PHONETYPE_03", desk_phone()),            # main
    ("PHONETYPE_04", mobile()),                # mobile
    ("PHONETYPE_05", fax()),                   # fax
    ("PHONETYPE_06", pager()),                 # pager
    ("PHONETYPE_07", at_sign()),               # e-mail
    ("PHONETYPE_08", two_people()),            # mailing list
    ("PHONETYPE_09", sim_card()),              # SIM
    ("PROFILE_01", awful()),
    ("PROFILE_02", buddy()),
    ("PROFILE_03", baby()),
    ("PROFILE_04", robot()),
    ("PROFILE_05", cutie()),
    ("PROFILE_06", crown()),                   # boss
    ("PROFILE_07", nasty()),
    ("PROFILE_08", family()),
    ("PROFILE_09", big_star()),
    ("PROFILE_10", mortarboard()),             # clever
    ("PROFILE_11", gem()),                     # little thing
    ("PROFILE_12", ufo()),
    ("PROFILE_13", skull()),                   # skin
    ("PROFILE_14", soccer_ball()),             # fan
    ("PROFILE_15", heart()),                   # charm
    ("OTHER_01", contact_card()),
    ("OTHER_02", calendar()),
    ("OTHER_03", folder() + badge_down()),                     # 26 inbox
    ("OTHER_04", open_folder() + badge_down()),                # 27 inbox, selected
    ("OTHER_05", folder() + badge_up()),                       # 28 outbox
    ("OTHER_06", open_folder() + badge_up()),                  # 29 outbox, selected
    ("OTHER_07", draft()),                                     # 30 drafts, draft
    ("OTHER_08", archive_box()),                               # 31 archive
    ("OTHER_09", flip_phone()),                                # 32 the phone
    ("OTHER_10", shrink(envelope(), 0.8) + badge_right()),     # 33 sent, outgoing
    ("OTHER_11", open_envelope()),                             # 34 read
    ("OTHER_12", envelope_new()),                              # 35 unread
    ("OTHER_13", shrink(envelope(), 0.8) + badge_left()),      # 36 incoming
    ("OTHER_14", check()),                                     # 37 sent
    ("OTHER_15", hourglass()),                                 # 38 not sent
    ("OTHER_16", magnifier()),
    ("OTHER_17", triangle_down()),                             # 40 descending
    ("OTHER_18", triangle_up()),                               # 41 ascending
]

TABS = [
    ("TABS_01", monitor()),
    ("TABS_02", info_circle()),
    ("TABS_03", address_book()),
    ("TABS_04", calendar("31")),
    ("TABS_05", speech_bubble()),
    ("TABS_06", palette()),
]

POPUP = [
    ("POPUP_01", shrink(address_book(), 0.8) + badge_down()),   # load the phonebook from a file
    ("POPUP_02", floppy()),                                     # save the phonebook
    ("POPUP_03", refresh_arrows()),                             # refresh the list
    ("POPUP_04", red_cross()),                                  # delete
    ("POPUP_05", pencil()),                                     # edit
    ("POPUP_06", shrink(person(), 0.85) + badge_plus()),        # add
    ("POPUP_07", two_sheets()),
    ("POPUP_08", shrink(envelope(), 0.8) + badge_right()),      # send a message
]

GLYPHS = [
    ("SB_01", refresh_arrows()),                                # refresh
    ("SB_02", shrink(clock(), 0.8) + badge_arrows()),           # synchronise the clock
    ("SB_03", shrink(person(), 0.85) + badge_plus()),           # add an entry
    ("SB_04", shrink(mobile(), 0.9) + badge_down()),            # read all from the phone
    ("SB_05", eraser()),                                        # clear
    ("SB_06", shrink(calendar(), 0.8) + badge_down()),          # read the events
    ("SB_07", shrink(calendar(), 0.8) + badge_plus()),          # add an event
    ("SB_08", trash_can()),                                     # delete
    ("SB_09", shrink(envelope(), 0.8) + badge_star()),          # new message
    ("SB_10", floppy()),                                        # save
    ("SB_11", open_folder()),                                   # pick a file
    ("SB_12", magic_wand()),                                    # create the theme
]

SETS = [("small", SMALL, 16), ("tabs", TABS, 32), ("popup", POPUP, 24), ("glyphs", GLYPHS, 16)]


def app_icon():
    """The program's icon: the phone with a speech bubble over a blue disc."""
    return (circle(8, 8, 7.5, SKY, BLUE_D, 0.5) +
            group(mobile(BLUE_D), "translate(-1.5 1) scale(0.85)") +
            group(speech_bubble(), "translate(7.5 0.5) scale(0.5)"))


def write_app_icon():
    out = os.path.join(os.path.dirname(HERE), "icons", "orlin.svg")
    os.makedirs(os.path.dirname(out), exist_ok=True)
    with open(out, "w") as f:
        f.write('<svg xmlns="http://www.w3.org/2000/svg" width="128" height="128" viewBox="0 0 16 16">'
                f'{app_icon()}</svg>\n')


def render(name, body, size, folder):
    svg = (f'<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{size}" viewBox="0 0 16 16">'
           f'{body}</svg>')
    out = os.path.join(IMAGES, folder, name + ".png")
    with tempfile.NamedTemporaryFile("w", suffix=".svg", delete=False) as f:
        f.write(svg)
        tmp = f.name
    try:
        subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size), "-o", out, tmp], check=True)
    finally:
        os.unlink(tmp)


def main():
    write_app_icon()
    if "--app-icon" in sys.argv[1:]:
        print("drew the program's icon")
        return 0
    for folder, items, size in SETS:
        os.makedirs(os.path.join(IMAGES, folder), exist_ok=True)
        for name, body in items:
            render(name, body, size, folder)
    print("drew", sum(len(items) for _, items, _ in SETS), "pictures")


if __name__ == "__main__":
    sys.exit(main())

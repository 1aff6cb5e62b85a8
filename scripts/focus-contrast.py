#!/usr/bin/python3
"""Measures a focus mark from the pixels of two screenshots of one window:
FOCUSED, with the focus on a control, and OTHER, with the focus elsewhere.

    scripts/focus-contrast.py FOCUSED.png OTHER.png first|last

The pixels that differ between the two shots make up marks, one a connected
group (the mark on the focused control, and whatever changed on the control
that has the focus in OTHER); `first` or `last` picks the leftmost or the
rightmost. Its ring is the outer two pixels of its bounding box. Printed:
where it is, how many pixels changed, the ring's colour in FOCUSED (the
commonest), and its contrast (WCAG 2) against the colour just outside the
ring (a two-pixel band) and against the same ring's colour in OTHER. A
mark that a user can see stands at 3:1 or more against both.
"""
import collections
import subprocess
import sys


def load(path):
    size = subprocess.run(["identify", "-format", "%w %h", path], check=True,
                          capture_output=True, text=True).stdout.split()
    width, height = int(size[0]), int(size[1])
    data = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], check=True,
                          capture_output=True).stdout
    return width, height, [tuple(data[i:i + 3]) for i in range(0, width * height * 3, 3)]


def luminance(rgb):
    def linear(c):
        c /= 255
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = rgb
    return 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b)


def contrast(a, b):
    la, lb = luminance(a), luminance(b)
    return (max(la, lb) + 0.05) / (min(la, lb) + 0.05)


def commonest(pixels):
    return collections.Counter(pixels).most_common(1)[0][0]


def marks(width, height, a, b):
    changed = {i for i in range(width * height) if a[i] != b[i]}
    seen = set()
    for start in sorted(changed):
        if start in seen:
            continue
        group, queue = [], [start]
        seen.add(start)
        while queue:
            i = queue.pop()
            group.append(i)
            x, y = i % width, i // width
            for dx in (-1, 0, 1):
                for dy in (-1, 0, 1):
                    j = (y + dy) * width + (x + dx)
                    if 0 <= x + dx < width and 0 <= y + dy < height and j in changed \
                            and j not in seen:
                        seen.add(j)
                        queue.append(j)
        if len(group) >= 8:
            yield group


def frame(width, height, box, thickness, outside):
    """The pixels of a band `thickness` wide along the inside (or the
    outside) of `box`."""
    left, top, right, bottom = box
    if outside:
        left, top, right, bottom = (left - thickness, top - thickness,
                                    right + thickness, bottom + thickness)
    for y in range(max(top, 0), min(bottom, height - 1) + 1):
        for x in range(max(left, 0), min(right, width - 1) + 1):
            if min(x - left, right - x, y - top, bottom - y) < thickness:
                if not outside or not (box[0] <= x <= box[2] and box[1] <= y <= box[3]):
                    yield y * width + x


def main(focused_path, other_path, which):
    width, height, focused = load(focused_path)
    _, _, other = load(other_path)
    found = sorted(marks(width, height, focused, other),
                   key=lambda group: min(i % width for i in group))
    if not found:
        print("no mark: the two shots are alike")
        return 1
    group = found[0] if which == "first" else found[-1]
    xs = [i % width for i in group]
    ys = [i // width for i in group]
    box = (min(xs), min(ys), max(xs), max(ys))
    ring = list(frame(width, height, box, 2, False))
    colour = commonest([focused[i] for i in ring])
    before = commonest([other[i] for i in ring])
    around = commonest([focused[i] for i in frame(width, height, box, 2, True)])
    hexed = lambda c: "#%02x%02x%02x" % c  # noqa: E731
    print(f"{box[2] - box[0] + 1}x{box[3] - box[1] + 1} at {box[0]},{box[1]}, "
          f"{len(group)} pixels changed; ring {hexed(colour)}, "
          f"{contrast(colour, around):.2f}:1 against {hexed(around)} around it, "
          f"{contrast(colour, before):.2f}:1 against {hexed(before)} there without the focus")
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:4]))

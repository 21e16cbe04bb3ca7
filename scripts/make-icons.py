#!/usr/bin/env python3
"""Draws the program icon (a globe crossed by a kestrel-orange wing) as 16x16
and 32x32 XPM pictures with at most 16 colours. Rerun after changing it."""
import math
import pathlib

PALETTE = {
    ' ': 'None', '.': '#000080', 'b': '#0000FF', 'c': '#00FFFF', 'w': '#FFFFFF',
    'o': '#FF8000', 'r': '#800000', 'k': '#000000', 'g': '#008000',
}


def pixel(x, y):
    """Colour key at unit coordinates (0..1, 0..1)."""
    cx, cy, r = 0.46, 0.54, 0.40
    dx, dy = x - cx, y - cy
    d = math.hypot(dx, dy)
    # The wing: a curved band from lower left to upper right, over the globe.
    band = y - (0.78 - 0.85 * x + 0.55 * (x - 0.5) ** 2)
    if 0.12 < x < 0.98 and -0.07 < band < 0.05:
        return 'r' if band > 0.025 else 'o'
    if d <= r:
        if d > r - 0.05:
            return '.'
        lat = abs(dy) < 0.025 or abs(abs(dy) - r * 0.5) < 0.022
        lon = abs(dx) < 0.025 or abs(math.hypot(dx * 1.9, dy) - r) < 0.035
        if lat or lon:
            return 'c'
        if dx < -0.1 and dy < -0.1:
            return 'w' if d > r * 0.55 and d < r * 0.7 else 'b'
        return 'g' if (dx > 0.12 and dy > 0.02) else 'b'
    return ' '


def xpm(size, name):
    rows = []
    for j in range(size):
        row = ''
        for i in range(size):
            row += pixel((i + 0.5) / size, (j + 0.5) / size)
        rows.append(row)
    used = sorted({c for row in rows for c in row})
    lines = [f'"{size} {size} {len(used)} 1",'] + [f'"{c} c {PALETTE[c]}",' for c in used]
    lines += [f'"{row}",' for row in rows]
    lines[-1] = lines[-1].rstrip(',')
    return '/* XPM */\nstatic const char *' + name + '[] = {\n' + '\n'.join(lines) + '\n};\n'


out = pathlib.Path(__file__).resolve().parent.parent / 'resources'
for size in (16, 32):
    (out / f'tolvane{size}.xpm').write_text(xpm(size, f'tolvane{size}'))

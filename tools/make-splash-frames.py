#!/usr/bin/env python3
"""Draws Wrivo's start-up splash: 28 frames of a fire burst.

A small white flash in the middle grows into a wide turbulent cloud of flame
(widest around frames 18 to 21) that cools, tears apart and leaves scattered
embers (frame 28).  Every frame is a 464 x 273 RGBA PNG (8 bits per channel,
colour type 6, not interlaced) whose alpha never reaches 255, so the desktop
always shows a little through the fire.

Only the standard library is used (zlib for the PNG data) and every random
number comes from fixed seeds: running the script twice writes the same bytes.

    python3 tools/make-splash-frames.py [output-folder]   (default assets/splash)
"""
import array
import math
import os
import random
import struct
import sys
import zlib

WIDTH, HEIGHT = 464, 273
FRAMES = 28
CX, CY = WIDTH / 2.0, HEIGHT / 2.0 + 6.0
MAX_ALPHA = 250          # never fully opaque
TEX = 256                # side of the tileable noise textures


# ---------------------------------------------------------------- noise
def value_noise_texture(seed, octaves, base_cells):
    """A tileable fractal value-noise texture, values in [0, 1]."""
    rng = random.Random(seed)
    total = [0.0] * (TEX * TEX)
    amplitude, norm, cells = 1.0, 0.0, base_cells
    for _ in range(octaves):
        lattice = [rng.random() for _ in range(cells * cells)]
        step = TEX / cells
        for y in range(TEX):
            gy = y / step
            y0 = int(gy)
            fy = gy - y0
            fy = fy * fy * (3 - 2 * fy)
            r0 = (y0 % cells) * cells
            r1 = ((y0 + 1) % cells) * cells
            row = y * TEX
            for x in range(TEX):
                gx = x / step
                x0 = int(gx)
                fx = gx - x0
                fx = fx * fx * (3 - 2 * fx)
                c0 = x0 % cells
                c1 = (x0 + 1) % cells
                top = lattice[r0 + c0] + (lattice[r0 + c1] - lattice[r0 + c0]) * fx
                bottom = lattice[r1 + c0] + (lattice[r1 + c1] - lattice[r1 + c0]) * fx
                total[row + x] += amplitude * (top + (bottom - top) * fy)
        norm += amplitude
        amplitude *= 0.52
        cells *= 2
    return [v / norm for v in total]


def sampler(texture):
    """Bilinear lookup into a tileable texture at any real coordinate."""
    mask = TEX - 1

    def sample(u, v):
        x0 = math.floor(u)
        y0 = math.floor(v)
        fx = u - x0
        fy = v - y0
        x0 &= mask
        y0 &= mask
        x1 = (x0 + 1) & mask
        r0 = y0 * TEX
        r1 = ((y0 + 1) & mask) * TEX
        a = texture[r0 + x0]
        b = texture[r0 + x1]
        c = texture[r1 + x0]
        d = texture[r1 + x1]
        top = a + (b - a) * fx
        return top + (c + (d - c) * fx - top) * fy

    return sample


def fractal(texture, octaves, seed):
    """Turbulence from one smooth texture: each octave twice as fine, turned
    by an odd angle and shifted, so no lattice direction shows through."""
    sample = sampler(texture)
    rng = random.Random(seed)
    layers = []
    amplitude, scale, norm = 1.0, 1.0, 0.0
    for _ in range(octaves):
        angle = rng.uniform(0, 2 * math.pi)
        c, s = math.cos(angle) * scale, math.sin(angle) * scale
        layers.append((c, s, rng.uniform(0, TEX), rng.uniform(0, TEX), amplitude))
        norm += amplitude
        amplitude *= 0.5
        scale *= 2.03
    layers = [(c, s, ox, oy, a / norm) for c, s, ox, oy, a in layers]

    def noise(u, v):
        total = 0.0
        for c, s, ox, oy, a in layers:
            total += a * sample(c * u - s * v + ox, s * u + c * v + oy)
        return total

    return noise


# ---------------------------------------------------------------- colour
# Heat 0 is cold smoke, 1 is white-hot.
RAMP = [
    (0.00, (34, 28, 27)),
    (0.14, (70, 34, 24)),
    (0.28, (150, 30, 8)),
    (0.44, (224, 66, 10)),
    (0.60, (252, 132, 20)),
    (0.76, (255, 198, 58)),
    (0.90, (255, 240, 150)),
    (1.00, (255, 255, 238)),
]
RAMP_TABLE = []
for i in range(256):
    h = i / 255.0
    for j in range(len(RAMP) - 1):
        h0, c0 = RAMP[j]
        h1, c1 = RAMP[j + 1]
        if h <= h1:
            f = (h - h0) / (h1 - h0)
            RAMP_TABLE.append(tuple(c0[n] + (c1[n] - c0[n]) * f for n in range(3)))
            break


def smoothstep(e0, e1, x):
    t = (x - e0) / (e1 - e0)
    if t <= 0.0:
        return 0.0
    if t >= 1.0:
        return 1.0
    return t * t * (3 - 2 * t)


# ---------------------------------------------------------------- the burst over time
def burst_state(k):
    """Size, heat and break-up of the cloud at frame k (1..28)."""
    t = (k - 1) / (FRAMES - 1)
    grow = smoothstep(0.0, 0.66, t) ** 0.75             # full width by frame ~19
    rx = 16.0 + 200.0 * grow + 8.0 * smoothstep(0.66, 1.0, t)
    ry = rx * (0.66 - 0.08 * grow)
    heat = 1.0 - 0.62 * smoothstep(0.04, 0.9, t)        # the fire cools as it spreads
    breakup = smoothstep(0.72, 1.0, t)                  # it tears apart after frame 21
    fade = 1.0 - 0.35 * smoothstep(0.74, 1.0, t)
    embers = smoothstep(0.40, 0.8, t)
    flash = max(0.0, 1.0 - 4.0 * t)                     # the opening flash
    return t, rx, ry, heat, breakup, fade, embers, flash


def make_embers():
    rng = random.Random(2817)
    embers = []
    for _ in range(340):
        embers.append({
            "angle": rng.uniform(0, 2 * math.pi),
            "reach": rng.uniform(0.25, 1.15) ** 0.7,
            "born": rng.uniform(0.3, 0.8),
            "size": rng.uniform(1.2, 3.4),
            "heat": rng.uniform(0.6, 1.0),
            "lift": rng.uniform(4.0, 26.0),
            "flicker": rng.uniform(0, 2 * math.pi),
        })
    return embers


# ---------------------------------------------------------------- rendering
def render(k, shape, detail, tear, embers):
    """The frame as straight-alpha RGBA floats (colour 0-255, alpha 0-1)."""
    t, rx, ry, heat, breakup, fade, ember_amount, flash = burst_state(k)
    pixels = array.array("d", bytes(8 * WIDTH * HEIGHT * 4))

    # Features grow with the cloud, but slower than it does, so the fire
    # gains detail while it spreads.
    feature = 0.2 * (212.0 / rx) ** 0.55
    drift = 9.0 * t                                         # flames rise
    swirl = 4.0 * t
    halo = 3.2 if flash > 0.0 else 1.0
    x_lo = max(0, int(CX - rx * 1.5 * halo))
    x_hi = min(WIDTH, int(CX + rx * 1.5 * halo) + 1)
    y_lo = max(0, int(CY - ry * 1.6 * halo - 20))
    y_hi = min(HEIGHT, int(CY + ry * 1.5 * halo) + 1)

    for y in range(y_lo, y_hi):
        dy = (y - CY) / ry
        v = (y - CY) * feature
        row = y * WIDTH * 4
        for x in range(x_lo, x_hi):
            dx = (x - CX) / rx
            u = (x - CX) * feature
            d = math.sqrt(dx * dx + dy * dy * (0.8 if dy < 0 else 1.1))
            if d > 1.6 and flash <= 0.0:
                continue
            warp = shape(u * 0.45, v * 0.45 + drift) - 0.5
            n = detail(u + warp * 7.0, v + warp * 7.0 + drift * 1.6)
            contrast = (n - 0.5) * 2.6
            d_turb = d - contrast * (0.28 + 0.32 * d) - warp * 0.5
            density = smoothstep(1.0, 0.3, d_turb)
            h = heat * (1.28 - 1.05 * d_turb) + 0.22 * contrast
            if breakup > 0.0:
                holes = tear(u * 0.8 + 13.0, v * 0.8 + 71.0 + drift) + 0.12 * (1.0 - d)
                cut = breakup * 0.62
                density *= smoothstep(cut, cut + 0.12, holes)
                h -= 0.25 * breakup * (1.0 - smoothstep(cut, cut + 0.25, holes))
            density *= fade
            if flash > 0.0:
                # A white-hot point with a wide soft glow and a few rays.
                angle = math.atan2(dy, dx)
                rays = 0.55 + 0.45 * shape(angle * 40.0 / math.pi + 7.0, 3.0 + 12.0 * t)
                glow = flash * (math.exp(-d * d * 2.2) + 0.5 * math.exp(-d * 1.1) * rays * rays)
                density = max(density, min(1.0, glow))
                h = max(h, min(1.0, glow * 1.15))
            if density <= 0.004:
                continue
            h = 0.0 if h < 0.0 else (1.0 if h > 1.0 else h)
            # Cool parts of the cloud are thinner smoke; hot parts nearly solid.
            alpha = density * (0.38 + 0.62 * smoothstep(0.08, 0.5, h))
            i = row + x * 4
            pixels[i], pixels[i + 1], pixels[i + 2] = RAMP_TABLE[int(h * 255)]
            pixels[i + 3] = alpha

    if ember_amount > 0.0:
        draw_embers(pixels, embers, t, rx, ry, ember_amount)
    return pixels


def finish(k, pixels, step, grain_amount):
    """8-bit RGBA with film grain, quantised to multiples of step.  Coarser
    steps and less grain make a smaller file; the alpha stays below 255."""
    grain = random.Random(9000 + k)
    out = bytearray(WIDTH * HEIGHT * 4)
    for i in range(0, len(out), 4):
        alpha = pixels[i + 3]
        if alpha <= 0.004:
            continue
        pixel = i // 4
        alpha *= edge_fade(pixel % WIDTH, pixel // WIDTH)
        if alpha <= 0.004:
            continue
        jitter = (grain.random() - 0.5) * grain_amount
        out[i] = quantise(pixels[i] + jitter, step, 255)
        out[i + 1] = quantise(pixels[i + 1] + jitter, step, 255)
        out[i + 2] = quantise(pixels[i + 2] + jitter * 0.5, step, 255)
        out[i + 3] = quantise(alpha * MAX_ALPHA + jitter * 0.3, step, MAX_ALPHA)
    return out


def edge_fade(x, y):
    """Fire thins out towards the frame's border instead of being cut there."""
    distance = min(x, y, WIDTH - 1 - x, HEIGHT - 1 - y)
    return smoothstep(0.0, 28.0, distance)


def quantise(value, step, top):
    value = int(value / step + 0.5) * step
    return 0 if value < 0 else (top if value > top else value)


def clamp(value):
    value = int(value + 0.5)
    return 0 if value < 0 else (255 if value > 255 else value)


def clamp_alpha(value):
    value = int(value + 0.5)
    return 0 if value < 0 else (MAX_ALPHA if value > MAX_ALPHA else value)


def draw_embers(pixels, embers, t, rx, ry, amount):
    for e in embers:
        if t < e["born"]:
            continue
        age = (t - e["born"]) / (1.0 - e["born"] + 1e-6)
        travel = 0.3 + e["reach"] * (0.45 + 0.4 * age)
        ex = CX + math.cos(e["angle"]) * rx * travel
        ey = CY + math.sin(e["angle"]) * ry * travel - e["lift"] * age
        flicker = 0.7 + 0.3 * math.sin(e["flicker"] + 19.0 * t)
        strength = min(1.0, 1.15 * amount * flicker * (1.0 - 0.12 * age))
        radius = e["size"] * (1.0 - 0.1 * age)
        h = e["heat"] * (1.0 - 0.2 * age)
        r, g, b = RAMP_TABLE[int(max(0.0, min(1.0, h)) * 255)]
        reach = int(radius * 2.5) + 1
        for py in range(int(ey) - reach, int(ey) + reach + 1):
            if py < 0 or py >= HEIGHT:
                continue
            for px in range(int(ex) - reach, int(ex) + reach + 1):
                if px < 0 or px >= WIDTH:
                    continue
                dist2 = (px - ex) ** 2 + (py - ey) ** 2
                a = strength * math.exp(-dist2 / (radius * radius))
                if a < 0.01:
                    continue
                i = (py * WIDTH + px) * 4
                old_a = pixels[i + 3]
                out_a = a + old_a * (1.0 - a)
                for c, value in ((0, r), (1, g), (2, b)):
                    pixels[i + c] = (value * a + pixels[i + c] * old_a * (1.0 - a)) / out_a
                pixels[i + 3] = out_a


# ---------------------------------------------------------------- PNG
def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def filter_rows(pixels):
    """Each row with the PNG filter that leaves the smallest residue."""
    stride = WIDTH * 4
    out = bytearray()
    previous = bytes(stride)
    for y in range(HEIGHT):
        row = pixels[y * stride:(y + 1) * stride]
        left = bytes(4) + row[:-4]
        corner = bytes(4) + previous[:-4]
        sub = bytes((r - a) & 0xFF for r, a in zip(row, left))
        up = bytes((r - b) & 0xFF for r, b in zip(row, previous))
        average = bytes((r - ((a + b) >> 1)) & 0xFF for r, a, b in zip(row, left, previous))
        paeth = bytes((r - paeth_predictor(a, b, c)) & 0xFF
                      for r, a, b, c in zip(row, left, previous, corner))
        candidates = [(0, bytes(row)), (1, sub), (2, up), (3, average), (4, paeth)]
        kind, data = min(candidates, key=lambda c: sum(b if b < 128 else 256 - b for b in c[1]))
        out.append(kind)
        out += data
        previous = row
    return bytes(out)


def paeth_predictor(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def encode_png(pixels):
    header = struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header)
            + png_chunk(b"IDAT", zlib.compress(filter_rows(pixels), 9))
            + png_chunk(b"IEND", b""))


def target_size(k):
    """Planned file size of frame k: small for the flash, largest for the
    wide cloud, about 1.86 MB for the whole animation."""
    t = (k - 1) / (FRAMES - 1)
    rise = smoothstep(0.0, 0.62, t) ** 0.5
    fall = 1.0 - 0.5 * smoothstep(0.72, 1.0, t)
    return int(12200 + 78800 * rise * fall)


def encode_to_target(k, pixels):
    """The frame encoded as close under its planned size as the grain allows."""
    goal = target_size(k)
    step = 4
    data = encode_png(finish(k, pixels, step, 0.0))
    while len(data) > goal and step < 12:
        step += 1
        data = encode_png(finish(k, pixels, step, 0.0))
    if len(data) >= goal:
        return data
    low, high = 0.0, 24.0
    for _ in range(7):
        middle = (low + high) / 2
        trial = encode_png(finish(k, pixels, step, middle))
        if len(trial) <= goal:
            low, data = middle, trial
        else:
            high = middle
    return data


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "assets", "splash")
    only = [int(a) for a in sys.argv[2:]] or range(1, FRAMES + 1)
    os.makedirs(folder, exist_ok=True)
    shape = fractal(value_noise_texture(11, 2, 16), 3, 5)
    detail = fractal(value_noise_texture(23, 2, 16), 4, 6)
    tear = fractal(value_noise_texture(37, 2, 16), 3, 7)
    embers = make_embers()
    total = 0
    for k in only:
        data = encode_to_target(k, render(k, shape, detail, tear, embers))
        with open(os.path.join(folder, "frame%02d.png" % k), "wb") as f:
            f.write(data)
        total += len(data)
        print("frame%02d.png %6d bytes" % (k, len(data)))
    print("total %d bytes" % total)


if __name__ == "__main__":
    main()

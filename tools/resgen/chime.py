"""The sign-in chime: two bell-like notes a major third apart, rising.

Each note is a few harmonics that decay exponentially, the higher ones faster,
with a short smooth attack so the sound starts without a click. The whole sound
fades smoothly to silence over its last 0.3 s and is scaled to a peak of -3 dBFS.
Sine and exponential are computed here from +, -, * and / only, so the samples
are the same on every machine, not just with one maths library.
"""

import math

RATE = 22050
FRAMES = 27648  # 1.254 s
PEAK = 23197  # 32767 at -3 dBFS

PI = 3.141592653589793

# (frequency in Hz, start in seconds, left gain, right gain)
NOTES = [(783.99, 0.0, 1.0, 0.75),  # G5
         (987.77, 0.16, 0.75, 1.0)]  # B5
# (frequency ratio, amplitude, decay time constant in seconds); 4.2 adds a bell's shimmer.
PARTIALS = [(1.0, 1.0, 0.55), (2.0, 0.4, 0.3), (3.0, 0.18, 0.18), (4.2, 0.08, 0.09)]
ATTACK = 0.006
FADE = 0.3


def portable_sin(x):
    """sin(x) by range reduction and a Taylor series (error below 1e-12)."""
    x -= 2.0 * PI * math.floor(x / (2.0 * PI) + 0.5)
    if x > PI / 2:
        x = PI - x
    elif x < -PI / 2:
        x = -PI - x
    square = x * x
    term = total = x
    for k in range(1, 11):
        term *= -square / ((2 * k) * (2 * k + 1))
        total += term
    return total


def portable_exp(x):
    """exp(x) by halving the argument, a Taylor series and repeated squaring."""
    halvings = 0
    while abs(x) > 0.5:
        x /= 2.0
        halvings += 1
    term = total = 1.0
    for k in range(1, 16):
        term *= x / k
        total += term
    for _ in range(halvings):
        total *= total
    return total


def smoothstep(u):
    return u * u * (3.0 - 2.0 * u)


def _note(frequency, t):
    attack = smoothstep(t / ATTACK) if t < ATTACK else 1.0
    value = 0.0
    for ratio, amplitude, decay in PARTIALS:
        value += amplitude * portable_exp(-t / decay) * portable_sin(2.0 * PI * frequency * ratio * t)
    return attack * value


def samples():
    """The chime as a list of FRAMES (left, right) signed 16-bit pairs."""
    fade_start = FRAMES - 1 - round(FADE * RATE)
    raw = []
    for n in range(FRAMES):
        left = right = 0.0
        for frequency, start, gain_left, gain_right in NOTES:
            first = round(start * RATE)
            if n >= first:
                value = _note(frequency, (n - first) / RATE)
                left += gain_left * value
                right += gain_right * value
        if n > fade_start:
            fade = 1.0 - smoothstep((n - fade_start) / (FRAMES - 1 - fade_start))
            left *= fade
            right *= fade
        raw.append((left, right))
    peak = max(max(abs(a), abs(b)) for a, b in raw)
    scale = PEAK / peak
    return [(math.floor(a * scale + 0.5), math.floor(b * scale + 0.5)) for a, b in raw]

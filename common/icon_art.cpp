#include "common/icon_art.h"

#include <algorithm>
#include <cmath>

namespace {

struct Colour {
    float r, g, b, a;
};

// A canvas in a 16 x 16 design space, rendered with 4 x 4 samples per pixel and
// averaged down, which gives smooth edges without any platform drawing code.
class Canvas {
public:
    explicit Canvas(int size) : size_(size), samples_(size * kSub), rgba_(samples_ * samples_, Colour{0, 0, 0, 0}) {}

    template <typename Inside>
    void Fill(const Colour& colour, Inside inside) {
        const float scale = 16.0f / static_cast<float>(samples_);
        for (int y = 0; y < samples_; ++y) {
            for (int x = 0; x < samples_; ++x) {
                float u = (static_cast<float>(x) + 0.5f) * scale, v = (static_cast<float>(y) + 0.5f) * scale;
                if (!inside(u, v)) continue;
                Colour& d = rgba_[y * samples_ + x];
                float a = colour.a, keep = 1.0f - a;
                d = {colour.r * a + d.r * keep, colour.g * a + d.g * keep, colour.b * a + d.b * keep, a + d.a * keep};
            }
        }
    }

    template <typename Inside>
    void Clear(Inside inside) {
        Fill(Colour{0, 0, 0, 1}, inside);
        const float scale = 16.0f / static_cast<float>(samples_);
        for (int y = 0; y < samples_; ++y)
            for (int x = 0; x < samples_; ++x)
                if (inside((static_cast<float>(x) + 0.5f) * scale, (static_cast<float>(y) + 0.5f) * scale))
                    rgba_[y * samples_ + x] = {0, 0, 0, 0};
    }

    void Fade(float factor, bool grey) {
        for (Colour& c : rgba_) {
            if (grey) {
                float l = 0.3f * c.r + 0.59f * c.g + 0.11f * c.b;
                c.r = c.g = c.b = l;
            }
            c = {c.r * factor, c.g * factor, c.b * factor, c.a * factor};
        }
    }

    IconPixels Pixels() const {
        IconPixels out(static_cast<size_t>(size_) * size_);
        for (int y = 0; y < size_; ++y) {
            for (int x = 0; x < size_; ++x) {
                float r = 0, g = 0, b = 0, a = 0;
                for (int sy = 0; sy < kSub; ++sy) {
                    for (int sx = 0; sx < kSub; ++sx) {
                        const Colour& c = rgba_[(y * kSub + sy) * samples_ + x * kSub + sx];
                        r += c.r;
                        g += c.g;
                        b += c.b;
                        a += c.a;
                    }
                }
                const float n = kSub * kSub;
                auto byte = [](float v) { return static_cast<uint32_t>(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f); };
                out[y * size_ + x] = byte(a / n) << 24 | byte(r / n) << 16 | byte(g / n) << 8 | byte(b / n);
            }
        }
        return out;
    }

private:
    static constexpr int kSub = 4;
    int size_;
    int samples_;
    std::vector<Colour> rgba_;  // premultiplied
};

auto Disc(float cx, float cy, float r) {
    return [=](float x, float y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
}

// A stroke of width w from (x1, y1) to (x2, y2) with round ends.
auto Stroke(float x1, float y1, float x2, float y2, float w) {
    return [=](float x, float y) {
        float dx = x2 - x1, dy = y2 - y1;
        float t = std::clamp(((x - x1) * dx + (y - y1) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
        float px = x1 + t * dx - x, py = y1 + t * dy - y;
        return px * px + py * py <= w * w / 4;
    };
}

auto Triangle(float ax, float ay, float bx, float by, float cx, float cy) {
    return [=](float x, float y) {
        auto side = [&](float x1, float y1, float x2, float y2) { return (x2 - x1) * (y - y1) - (y2 - y1) * (x - x1); };
        float s1 = side(ax, ay, bx, by), s2 = side(bx, by, cx, cy), s3 = side(cx, cy, ax, ay);
        return (s1 >= 0 && s2 >= 0 && s3 >= 0) || (s1 <= 0 && s2 <= 0 && s3 <= 0);
    };
}

Colour Shade(const Colour& c, float f) {
    return {c.r * f, c.g * f, c.b * f, c.a};
}

const Colour kFamilyColours[] = {
    {0.20f, 0.45f, 0.85f, 1},  // DSA: blue
    {0.15f, 0.62f, 0.30f, 1},  // ElGamal: green
    {0.90f, 0.68f, 0.10f, 1},  // RSA: gold
    {0.58f, 0.30f, 0.75f, 1},  // elliptic curve: violet
    {0.55f, 0.55f, 0.55f, 1},  // unknown: grey
};

// A key lying from the upper left (its bow) to the lower right, moved by (ox, oy)
// and scaled by s around the design centre.
void DrawKey(Canvas& canvas, const Colour& colour, float ox, float oy, float s) {
    auto at = [&](float v, float o) { return 8 + (v - 8) * s + o; };
    const Colour outline = Shade(colour, 0.45f);
    float bx = at(5.0f, ox), by = at(5.0f, oy);
    float ex = at(13.2f, ox), ey = at(13.2f, oy);
    canvas.Fill(outline, Disc(bx, by, 3.9f * s));
    canvas.Fill(outline, Stroke(bx, by, ex, ey, 3.4f * s));
    canvas.Fill(outline, Stroke(at(10.6f, ox), at(10.6f, oy), at(12.4f, ox), at(8.8f, oy), 3.0f * s));
    canvas.Fill(outline, Stroke(at(12.6f, ox), at(12.6f, oy), at(14.2f, ox), at(11.0f, oy), 3.0f * s));
    canvas.Fill(colour, Disc(bx, by, 2.9f * s));
    canvas.Fill(colour, Stroke(bx, by, ex, ey, 1.6f * s));
    canvas.Fill(colour, Stroke(at(10.6f, ox), at(10.6f, oy), at(12.2f, ox), at(9.0f, oy), 1.3f * s));
    canvas.Fill(colour, Stroke(at(12.6f, ox), at(12.6f, oy), at(14.0f, ox), at(11.2f, oy), 1.3f * s));
    canvas.Clear(Disc(at(4.2f, ox), at(4.2f, oy), 1.1f * s));
}

void DrawBadgeBase(Canvas& canvas, const Colour& fill) {
    canvas.Fill(Colour{1, 1, 1, 1}, Disc(11.8f, 11.8f, 4.2f));
    canvas.Fill(fill, Disc(11.8f, 11.8f, 3.4f));
}

void DrawExpired(Canvas& canvas) {
    // A clock face.
    canvas.Fill(Colour{0.25f, 0.25f, 0.25f, 1}, Disc(11.8f, 11.8f, 4.2f));
    canvas.Fill(Colour{1, 1, 1, 1}, Disc(11.8f, 11.8f, 3.3f));
    canvas.Fill(Colour{0.15f, 0.15f, 0.15f, 1}, Stroke(11.8f, 11.8f, 11.8f, 9.4f, 0.9f));
    canvas.Fill(Colour{0.15f, 0.15f, 0.15f, 1}, Stroke(11.8f, 11.8f, 13.6f, 11.8f, 0.9f));
}

void DrawInvalid(Canvas& canvas) {
    // A warning sign.
    canvas.Fill(Colour{0.35f, 0.25f, 0.0f, 1}, Triangle(11.8f, 6.6f, 16.0f, 15.6f, 7.6f, 15.6f));
    canvas.Fill(Colour{1.0f, 0.85f, 0.1f, 1}, Triangle(11.8f, 8.2f, 14.8f, 14.8f, 8.8f, 14.8f));
    canvas.Fill(Colour{0.1f, 0.1f, 0.1f, 1}, Stroke(11.8f, 10.2f, 11.8f, 12.4f, 1.0f));
    canvas.Fill(Colour{0.1f, 0.1f, 0.1f, 1}, Disc(11.8f, 13.8f, 0.55f));
}

void DrawRevoked(Canvas& canvas) {
    DrawBadgeBase(canvas, Colour{0.85f, 0.12f, 0.10f, 1});
    canvas.Fill(Colour{1, 1, 1, 1}, Stroke(10.2f, 10.2f, 13.4f, 13.4f, 1.2f));
    canvas.Fill(Colour{1, 1, 1, 1}, Stroke(13.4f, 10.2f, 10.2f, 13.4f, 1.2f));
}

}  // namespace

IconPixels DrawKeyIcon(int icon, int size) {
    Canvas canvas(size);
    if (icon < 1 || icon > kKeyIconCount || size < 1) return canvas.Pixels();
    int family = (icon - 1) / 10;
    int offset = (icon - 1) % 10 + 1;
    bool pair = offset > 5;
    int state = pair ? offset - 5 : offset;  // 1 normal, 2 disabled, 3 expired, 4 invalid, 5 revoked
    const Colour& colour = kFamilyColours[family];

    if (pair) {
        // The secret half: a second, darker key behind the public one.
        DrawKey(canvas, Shade(colour, 0.62f), 1.6f, -2.2f, 0.78f);
        DrawKey(canvas, colour, -1.2f, 1.0f, 0.82f);
    } else {
        DrawKey(canvas, colour, 0, 0, 0.95f);
    }
    switch (state) {
        case 2: canvas.Fade(0.45f, true); break;
        case 3: DrawExpired(canvas); break;
        case 4: DrawInvalid(canvas); break;
        case 5: DrawRevoked(canvas); break;
        default: break;
    }
    return canvas.Pixels();
}

IconPixels DrawSortArrow(int image, int size) {
    Canvas canvas(size);
    const Colour grey{0.38f, 0.38f, 0.38f, 1};
    if (image == 1) canvas.Fill(grey, Triangle(3.5f, 5.5f, 12.5f, 5.5f, 8.0f, 11.0f));
    if (image == 2) canvas.Fill(grey, Triangle(3.5f, 11.0f, 12.5f, 11.0f, 8.0f, 5.5f));
    return canvas.Pixels();
}

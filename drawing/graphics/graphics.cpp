#include "drawing/graphics/graphics.h"

#include "drawing/graphics/colours.h"
#include "drawing/graphics/graphicsrecorder.h"
#include "drawing/graphics/levelofdetail.h"
#include "drawing/graphics/units.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace lobus {

namespace {

constexpr int kColourError = 42;

// Pixel coordinates are kept far inside what any painter handles; a point
// this far out is off every surface anyway.
constexpr double kPixelLimit = 1.0e6;

double clampPixel(double v) { return std::clamp(v, -kPixelLimit, kPixelLimit); }

int floorToInt(double v)
{
    if (!std::isfinite(v))
        return 0;
    return static_cast<int>(std::floor(clampPixel(v)));
}

// A recorded operation in the current colour.
DrawOp colouredOp(DrawOp::Kind kind, std::vector<float> x, std::vector<float> y, int colourNumber, Rgb colour)
{
    DrawOp op;
    op.kind = kind;
    op.x = std::move(x);
    op.y = std::move(y);
    op.colourNumber = colourNumber;
    op.colour = colour;
    return op;
}

} // namespace

Rgb Graphics::background() { return colours::kBackground; }

Graphics::Graphics()
{
    for (int n = 0; n < 256; ++n)
        m_palette[static_cast<std::size_t>(n)] = Rgb {n, n, n};
    for (const colours::PaletteEntry& e : colours::kPalette)
        m_palette[static_cast<std::size_t>(e.number)] = e.rgb;
    m_colour = colours::kAxes;
}

void Graphics::setDevice(Device* device) { m_device = device; }

Rgb Graphics::palette(int n) const
{
    if (n < 0 || n > 255)
        return Rgb {};
    return m_palette[static_cast<std::size_t>(n)];
}

// ---- state ---------------------------------------------------------------

void Graphics::IGRAREA(float x1, float y1, float x2, float y2)
{
    if (!(std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2)))
        return;
    x1 = std::clamp(x1, 0.0f, 1.0f);
    x2 = std::clamp(x2, 0.0f, 1.0f);
    y1 = std::clamp(y1, 0.0f, 1.0f);
    y2 = std::clamp(y2, 0.0f, 1.0f);
    if (!(x1 < x2 && y1 < y2))
        return;
    m_area[0] = x1;
    m_area[1] = y1;
    m_area[2] = x2;
    m_area[3] = y2;
}

void Graphics::IGRUNITS(float x1, float y1, float x2, float y2)
{
    // A degenerate or non-finite rectangle would make every point infinite.
    if (!(std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2)))
        return;
    if (x1 == x2 || y1 == y2)
        return;
    m_units[0] = x1;
    m_units[1] = y1;
    m_units[2] = x2;
    m_units[3] = y2;
}

void Graphics::IGRCOLOURN(int n)
{
    if (n < 0 || n > 255) {
        m_error = kColourError;
        return;
    }
    m_colour = n;
}

void Graphics::IGRPALETTERGB(int n, int red, int green, int blue)
{
    if (n < 0 || n > 255)
        return;
    m_palette[static_cast<std::size_t>(n)]
        = Rgb {std::clamp(red, 0, 255), std::clamp(green, 0, 255), std::clamp(blue, 0, 255)};
}

void Graphics::IGRFILLPATTERN(int style, int /*density*/, int /*angle*/)
{
    if (style < -2 || style > 4)
        return;
    m_fillStyle = style;
}

void Graphics::IGRCHARSIZE(float width, float height)
{
    if (std::isfinite(width) && width > 0.0f)
        m_charWidth = width;
    if (std::isfinite(height) && height > 0.0f)
        m_charHeight = height;
}

void Graphics::IGRCHARJUSTIFY(std::string_view code)
{
    if (code.empty())
        return;
    if (code[0] == 'L' || code[0] == 'l')
        m_justify = Justify::Left;
    else if (code[0] == 'C' || code[0] == 'c')
        m_justify = Justify::Centre;
}

// ---- mapping -------------------------------------------------------------

// The area in pixels: its fractions count x from the left and y from the
// bottom of the surface, like the user units. Pixel rows grow downwards.
Graphics::PixelMap Graphics::pixelMap() const
{
    PixelMap m {0.0, 0.0, 1.0, 1.0, false};
    if (!m_device)
        return m;
    const double w = m_device->width();
    const double h = m_device->height();
    if (!(w > 0.0 && h > 0.0))
        return m;
    const double left = m_area[0] * w;
    const double right = m_area[2] * w;
    const double top = (1.0 - m_area[3]) * h;
    const double bottom = (1.0 - m_area[1]) * h;
    m.x0 = left;
    m.y0 = bottom;
    m.sx = (right - left) / (static_cast<double>(m_units[2]) - m_units[0]);
    m.sy = -(bottom - top) / (static_cast<double>(m_units[3]) - m_units[1]);
    m.valid = std::isfinite(m.sx) && std::isfinite(m.sy) && m.sx != 0.0 && m.sy != 0.0;
    return m;
}

bool Graphics::toPixel(const PixelMap& m, float x, float y, PointF& p) const
{
    if (!std::isfinite(x) || !std::isfinite(y))
        return false;
    if (!m.valid)
        return false;
    const double px = m.x0 + m.sx * (static_cast<double>(x) - m_units[0]);
    const double py = m.y0 + m.sy * (static_cast<double>(y) - m_units[1]);
    if (!std::isfinite(px) || !std::isfinite(py))
        return false;
    p = PointF {clampPixel(px), clampPixel(py)};
    return true;
}

void Graphics::IGRUNITSTOPIXELS(float x, float y, int& ix, int& iy) const
{
    const PixelMap m = pixelMap();
    if (!m.valid) {
        ix = iy = 0;
        return;
    }
    const double size = pixelSize();
    ix = floorToInt((m.x0 + m.sx * (static_cast<double>(x) - m_units[0])) / size);
    iy = floorToInt((m.y0 + m.sy * (static_cast<double>(y) - m_units[1])) / size);
}

// A pixel stands for its centre, so that a line between two converted pixels
// runs along the middle of the pixel row and covers exactly that row.
void Graphics::IGRUNITSFROMPIXELS(int ix, int iy, float& x, float& y) const
{
    const PixelMap m = pixelMap();
    if (!m.valid) {
        x = m_units[0];
        y = m_units[1];
        return;
    }
    const double size = pixelSize();
    x = static_cast<float>(m_units[0] + ((ix + 0.5) * size - m.x0) / m.sx);
    y = static_cast<float>(m_units[1] + ((iy + 0.5) * size - m.y0) / m.sy);
}

bool Graphics::unitsFromDevice(PointF p, float& x, float& y) const
{
    const PixelMap m = pixelMap();
    if (!m.valid || !std::isfinite(p.x) || !std::isfinite(p.y))
        return false;
    x = static_cast<float>(m_units[0] + (p.x - m.x0) / m.sx);
    y = static_cast<float>(m_units[1] + (p.y - m.y0) / m.sy);
    return true;
}

// The picture's pixel is a screen pixel (1/96 inch) on every surface. On a
// 600-dpi page it spans several device dots, so what the drawing measures in
// pixels (the 3-pixel sliding-surface band, the 5-pixel centre dots, the
// doubled scale bars) keeps the look it has on screen instead of shrinking
// to hairlines on paper; on an ordinary screen or image it is one pixel.
double Graphics::pixelSize() const
{
    const double dpi = m_device ? m_device->dotsPerInch() : kScreenDpi;
    // From 1.2 screens' worth on: a 125 % desktop scale is the first that
    // makes a device pixel visibly smaller than a screen pixel.
    if (!(std::isfinite(dpi) && dpi > 1.2 * kScreenDpi))
        return 1.0;
    return dpi / kScreenDpi;
}

// The standard character height in pixels: a fortieth of the surface height,
// never below 10 points at the device's own resolution, so labels read on a
// small window and on a 600-dpi page alike.
double Graphics::standardCharHeight() const
{
    if (!m_device)
        return 0.0;
    const double byHeight = m_device->height() / 40.0;
    const double dpi = m_device->dotsPerInch() > 0.0 ? m_device->dotsPerInch() : kScreenDpi;
    return std::max(byHeight, dpi * 10.0 / 72.0);
}

// Character cells are taken 0.6 as wide as high, as in a common sans serif.
float Graphics::INFOGRAPHICS(int code) const
{
    const PixelMap m = pixelMap();
    if (!m.valid)
        return 0.0f;
    const double h = standardCharHeight();
    if (code == 3)
        return static_cast<float>(m_charWidth * 0.6 * h / std::abs(m.sx));
    if (code == 4)
        return static_cast<float>(m_charHeight * h / std::abs(m.sy));
    return 0.0f;
}

int Graphics::INFOGRSCREEN(int code) const
{
    if (code != 32 || !m_device || m_device->height() <= 0)
        return 0;
    return static_cast<int>(std::lround(100.0 * m_device->width() / m_device->height()));
}

// ---- drawing -------------------------------------------------------------

// Converts the points to pixels into m_points, dropping every point that is
// not finite, and keeps the surviving user points for the recorder.
bool Graphics::convert(const float* x, const float* y, int n)
{
    m_points.clear();
    m_recX.clear();
    m_recY.clear();
    if (!m_device || !x || !y || n <= 0)
        return false;
    const PixelMap m = pixelMap();
    if (!m.valid)
        return false;
    // Every point is worked out and written; the next one overwrites it
    // unless it came out finite. No branch a point, so many go at once.
    const auto count = static_cast<std::size_t>(n);
    m_points.resize(count);
    PointF* out = m_points.data();
    std::size_t kept = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const double px = m.x0 + m.sx * (static_cast<double>(x[i]) - m_units[0]);
        const double py = m.y0 + m.sy * (static_cast<double>(y[i]) - m_units[1]);
        out[kept] = PointF {clampPixel(px), clampPixel(py)};
        kept += static_cast<std::size_t>(std::isfinite(x[i]) & std::isfinite(y[i]) & std::isfinite(px)
                                         & std::isfinite(py));
    }
    m_points.resize(kept);
    if (m_recorder) {
        PointF p;
        for (std::size_t i = 0; i < count; ++i)
            if (toPixel(m, x[i], y[i], p)) {
                m_recX.push_back(x[i]);
                m_recY.push_back(y[i]);
            }
    }
    return kept > 0;
}

void Graphics::IGRAREACLEAR()
{
    if (!m_device)
        return;
    const double w = m_device->width();
    const double h = m_device->height();
    const int x0 = static_cast<int>(std::floor(m_area[0] * w));
    const int x1 = static_cast<int>(std::ceil(m_area[2] * w));
    const int y0 = static_cast<int>(std::floor((1.0 - m_area[3]) * h));
    const int y1 = static_cast<int>(std::ceil((1.0 - m_area[1]) * h));
    m_device->clear(x0, y0, x1, y1, background());
    m_texts.clear();
    if (m_recorder) {
        DrawOp op;
        op.kind = DrawOp::Kind::Clear;
        op.colour = background();
        m_recorder->record(std::move(op));
    }
}

void Graphics::IGRJOIN(float x1, float y1, float x2, float y2)
{
    PointF a;
    PointF b;
    if (!m_device)
        return;
    const PixelMap m = pixelMap();
    if (!toPixel(m, x1, y1, a) || !toPixel(m, x2, y2, b))
        return;
    m_device->line(a, b, currentRgb());
    if (m_recorder) {
        DrawOp op = colouredOp(DrawOp::Kind::Join, {x1, x2}, {y1, y2}, m_colour, currentRgb());
        m_recorder->record(std::move(op));
    }
}

void Graphics::joinRepeated(float x1, float y1, float x2, float y2, int count)
{
    PointF a;
    PointF b;
    if (!m_device || count < 1)
        return;
    const PixelMap m = pixelMap();
    if (!toPixel(m, x1, y1, a) || !toPixel(m, x2, y2, b))
        return;
    if (DetailTarget* detail = m_device->detail()) {
        detail->lines(a, b, currentRgb(), count);
    } else {
        for (int i = 0; i < count; ++i)
            m_device->line(a, b, currentRgb());
    }
    if (m_recorder) {
        DrawOp op = colouredOp(DrawOp::Kind::Join, {x1, x2}, {y1, y2}, m_colour, currentRgb());
        for (int i = 1; i < count; ++i)
            m_recorder->record(DrawOp(op));
        m_recorder->record(std::move(op));
    }
}

double Graphics::detailTolerance() const
{
    DetailTarget* detail = m_device ? m_device->detail() : nullptr;
    return detail ? detail->tolerance() : 0.0;
}

double Graphics::hatchWholeFrom() const
{
    DetailTarget* detail = m_device ? m_device->detail() : nullptr;
    return detail ? detail->hatchWholeFrom() : HUGE_VAL;
}

double Graphics::pixelsPerUnit() const
{
    const PixelMap m = pixelMap();
    if (!m.valid)
        return 0.0;
    const double s = std::max(std::abs(m.sx), std::abs(m.sy));
    return std::isfinite(s) ? s : 0.0;
}

void Graphics::IGRPOLYLINE(const float* x, const float* y, int n)
{
    if (!convert(x, y, n))
        return;
    const double width = m_lineWidth * pixelSize();
    if (width > 0.0)
        m_device->widePolyline(m_points, currentRgb(), width);
    else
        m_device->polyline(m_points, currentRgb());
    if (m_recorder) {
        DrawOp op = colouredOp(DrawOp::Kind::Polyline, m_recX, m_recY, m_colour, currentRgb());
        op.lineWidth = width;
        m_recorder->record(std::move(op));
    }
}

// Only the solid style (4) fills; every other style draws the outline.
void Graphics::hatchLines(const float* x1, const float* y1, const float* x2, const float* y2, int n,
                          double linesPerPixel)
{
    if (!m_device || n <= 0)
        return;
    m_points.clear();
    m_ends.clear();
    const PixelMap m = pixelMap();
    PointF a;
    PointF b;
    for (int i = 0; i < n; ++i) {
        if (!toPixel(m, x1[i], y1[i], a) || !toPixel(m, x2[i], y2[i], b))
            continue;
        m_points.push_back(a);
        m_ends.push_back(b);
        if (m_recorder)
            m_recorder->record(
                colouredOp(DrawOp::Kind::Join, {x1[i], x2[i]}, {y1[i], y2[i]}, m_colour, currentRgb()));
    }
    if (m_points.empty())
        return;
    if (DetailTarget* detail = m_device->detail()) {
        detail->hatch(m_points, m_ends, currentRgb(), linesPerPixel);
        return;
    }
    for (std::size_t i = 0; i < m_points.size(); ++i)
        m_device->line(m_points[i], m_ends[i], currentRgb());
}

void Graphics::IGRPOLYGONCOMPLEX(const float* x, const float* y, int n)
{
    if (!convert(x, y, n))
        return;
    const bool filled = m_fillStyle == 4;
    m_device->polygon(m_points, currentRgb(), filled);
    if (m_recorder) {
        DrawOp op = colouredOp(DrawOp::Kind::Polygon, m_recX, m_recY, m_colour, currentRgb());
        op.filled = filled;
        op.fillStyle = m_fillStyle;
        m_recorder->record(std::move(op));
    }
}

// The head's tip is at (x, y); it reaches `length` user units back against
// `direction` and is half as wide as long. Style 1 is a filled head, any other
// style an outlined one.
void Graphics::IGRARROW(float x, float y, float length, float direction, int style)
{
    if (!std::isfinite(length) || !std::isfinite(direction))
        return;
    const double a = direction * kPictureDegree;
    const float bx = static_cast<float>(x - length * std::cos(a));
    const float by = static_cast<float>(y - length * std::sin(a));
    PointF tip;
    PointF base;
    if (!m_device || !toPixel(x, y, tip) || !toPixel(bx, by, base))
        return;
    const double dx = tip.x - base.x;
    const double dy = tip.y - base.y;
    const double half = 0.25;
    const PointF head[3]
        = {tip, {base.x - dy * half, base.y + dx * half}, {base.x + dy * half, base.y - dx * half}};
    m_device->polygon(head, currentRgb(), style == 1);
    if (m_recorder) {
        DrawOp op = colouredOp(DrawOp::Kind::Arrow, {x}, {y}, m_colour, currentRgb());
        op.length = length;
        op.direction = direction;
        op.style = style;
        m_recorder->record(std::move(op));
    }
}

void Graphics::IGRCHAROUT(float x, float y, std::string_view text)
{
    PointF at;
    if (!m_device || !toPixel(x, y, at))
        return;
    const double pixelHeight = m_charHeight * standardCharHeight();
    m_device->text(at, text, pixelHeight, m_justify, currentRgb());
    // A glyph of the program's sans-serif font is at most about 0.7 of its
    // height wide on average over a label; the texts' reference point is the
    // middle of the capital letters, with ascenders and descenders within
    // 0.65 of the height above and below.
    const auto characters = static_cast<double>(
        std::count_if(text.begin(), text.end(), [](char b) { return (b & 0xC0) != 0x80; }));
    const double width = (0.7 * characters + 0.3) * pixelHeight;
    const double left = m_justify == Justify::Centre ? at.x - width / 2.0 : at.x - 0.15 * pixelHeight;
    m_texts.push_back({left, at.y - 0.65 * pixelHeight, left + width, at.y + 0.65 * pixelHeight});
    if (m_recorder) {
        DrawOp op = colouredOp(DrawOp::Kind::Text, {x}, {y}, m_colour, currentRgb());
        op.text = std::string(text);
        op.justify = m_justify;
        op.charWidth = INFOGRAPHICS(3);
        op.charHeight = INFOGRAPHICS(4);
        m_recorder->record(std::move(op));
    }
}

} // namespace lobus

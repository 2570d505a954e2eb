#include "render/pngwriter.h"

#include <QImage>

#include <zlib.h>

#include <array>
#include <cstdint>
#include <cstring>

namespace lobus {
namespace {

void putBigEndian(QByteArray& out, std::uint32_t v)
{
    const char b[4] = {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
                       static_cast<char>(v)};
    out.append(b, 4);
}

// A chunk is begun with a place for its length and its type, its data are
// appended, and endChunk fills in the length and appends the CRC. Returns
// where the type stands.
qsizetype startChunk(QByteArray& out, const char* type)
{
    putBigEndian(out, 0);
    out.append(type, 4);
    return out.size() - 4;
}

void endChunk(QByteArray& out, qsizetype typeAt)
{
    const auto length = static_cast<std::uint32_t>(out.size() - typeAt - 4);
    char* at = out.data() + typeAt - 4;
    at[0] = static_cast<char>(length >> 24);
    at[1] = static_cast<char>(length >> 16);
    at[2] = static_cast<char>(length >> 8);
    at[3] = static_cast<char>(length);
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(out.constData() + typeAt),
                            static_cast<uInt>(length + 4));
    putBigEndian(out, static_cast<std::uint32_t>(crc));
}

std::uint32_t reversed(std::uint32_t code, int bits)
{
    std::uint32_t r = 0;
    for (int i = 0; i < bits; ++i, code >>= 1)
        r = (r << 1) | (code & 1u);
    return r;
}

// A code ready for the bit writer: deflate sends Huffman codes from their
// first bit on, so they are stored bit-reversed.
struct Code {
    std::uint32_t bits = 0;
    int count = 0;
};

// Deflate's fixed literal/length code.
Code fixedCode(int symbol)
{
    if (symbol < 144)
        return {reversed(0x30u + static_cast<std::uint32_t>(symbol), 8), 8};
    if (symbol < 256)
        return {reversed(0x190u + static_cast<std::uint32_t>(symbol - 144), 9), 9};
    if (symbol < 280)
        return {reversed(static_cast<std::uint32_t>(symbol - 256), 7), 7};
    return {reversed(0xC0u + static_cast<std::uint32_t>(symbol - 280), 8), 8};
}

struct Tables {
    std::array<Code, 256> literal;
    std::array<Code, 259>
        repeat; // a repeat of `length` bytes at distance 1: length code, extra bits, distance
};

Tables makeTables()
{
    Tables t;
    for (int i = 0; i < 256; ++i)
        t.literal[static_cast<std::size_t>(i)] = fixedCode(i);
    static constexpr int kBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                      31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
    static constexpr int kExtra[29]
        = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    for (int length = 3; length <= 258; ++length) {
        int i = 28;
        while (kBase[i] > length)
            --i;
        const Code c = fixedCode(257 + i);
        Code r;
        r.bits = c.bits | (static_cast<std::uint32_t>(length - kBase[i]) << c.count);
        r.count = c.count + kExtra[i] + 5; // distance code 0 (distance 1): five zero bits
        t.repeat[static_cast<std::size_t>(length)] = r;
    }
    return t;
}

const Tables& tables()
{
    static const Tables t = makeTables();
    return t;
}

// The zlib stream of one fixed-code deflate block, with its Adler-32.
class DeflateWriter {
public:
    explicit DeflateWriter(QByteArray& out) : m_out(out), m_t(tables())
    {
        m_out.append("\x78\x01", 2); // deflate, 32K window, fastest; header check bits
        put(1u | (1u << 1), 3);      // the final block, fixed codes
    }

    void literal(unsigned char byte)
    {
        const Code& c = m_t.literal[byte];
        put(c.bits, c.count);
        m_a += byte;
        m_b += m_a;
        if (++m_pending == 5552)
            reduce();
        m_last = byte;
        m_any = true;
    }

    // `count` zero bytes.
    void zeros(std::size_t count)
    {
        if (count == 0)
            return;
        if (!m_any || m_last != 0) {
            literal(0);
            --count;
        }
        // Adler-32 of a run of zeros: a stays, b grows by a for each byte.
        reduce();
        m_b = (m_b + m_a * (count % 65521u)) % 65521u;
        while (count >= 3) {
            std::size_t n = count > 258 ? 258 : count;
            if (count - n == 1 || count - n == 2)
                n -= 3; // leave a whole repeat of at least three for the rest
            const Code& c = m_t.repeat[n];
            put(c.bits, c.count);
            count -= n;
        }
        for (; count > 0; --count)
            put(m_t.literal[0].bits, m_t.literal[0].count);
    }

    void finish()
    {
        put(0u, 7); // end of block: symbol 256, seven zero bits
        if (m_bitCount > 0)
            flushBytes(true);
        reduce();
        putBigEndian(m_out, static_cast<std::uint32_t>((m_b << 16) | m_a));
    }

private:
    void put(std::uint32_t bits, int count)
    {
        m_bits |= static_cast<std::uint64_t>(bits) << m_bitCount;
        m_bitCount += count;
        if (m_bitCount >= 32)
            flushBytes(false);
    }

    void flushBytes(bool all)
    {
        char b[8];
        int n = 0;
        while (m_bitCount >= 8 || (all && m_bitCount > 0)) {
            b[n++] = static_cast<char>(m_bits & 0xFFu);
            m_bits >>= 8;
            m_bitCount = m_bitCount >= 8 ? m_bitCount - 8 : 0;
        }
        m_out.append(b, n);
    }

    void reduce()
    {
        m_a %= 65521u;
        m_b %= 65521u;
        m_pending = 0;
    }

    QByteArray& m_out;
    const Tables& m_t;
    std::uint64_t m_bits = 0;
    int m_bitCount = 0;
    std::uint64_t m_a = 1; // Adler-32 sums, reduced at least every 5552 bytes
    std::uint64_t m_b = 0;
    int m_pending = 0;
    unsigned char m_last = 0;
    bool m_any = false;
};

} // namespace

QByteArray encodePng(const QImage& image)
{
    if (image.isNull() || image.format() != QImage::Format_RGB32)
        return {};
    const int width = image.width();
    const int height = image.height();

    QByteArray out;
    out.reserve(64 * 1024);
    out.append("\x89PNG\r\n\x1a\n", 8);

    qsizetype chunk = startChunk(out, "IHDR");
    putBigEndian(out, static_cast<std::uint32_t>(width));
    putBigEndian(out, static_cast<std::uint32_t>(height));
    out.append("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, deflate, adaptive filtering, no interlace
    endChunk(out, chunk);

    if (image.dotsPerMeterX() > 0 && image.dotsPerMeterY() > 0) {
        chunk = startChunk(out, "pHYs");
        putBigEndian(out, static_cast<std::uint32_t>(image.dotsPerMeterX()));
        putBigEndian(out, static_cast<std::uint32_t>(image.dotsPerMeterY()));
        out.append('\x01'); // per metre
        endChunk(out, chunk);
    }

    chunk = startChunk(out, "IDAT");
    DeflateWriter deflate(out);
    // Each row: the filter type Up, then the row's bytes less those above it
    // (above the first row: zero). A pixel equal to the one above is three
    // zero bytes; runs of them are coded as one.
    static const std::uint32_t kNothingAbove[1] = {0};
    const std::size_t rowPixels = static_cast<std::size_t>(width);
    for (int y = 0; y < height; ++y) {
        const auto* px = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        const auto* up = y > 0 ? reinterpret_cast<const std::uint32_t*>(image.constScanLine(y - 1)) : nullptr;
        deflate.literal(2);
        if (up && std::memcmp(px, up, rowPixels * 4) == 0) {
            deflate.zeros(3 * rowPixels);
            continue;
        }
        std::size_t run = 0; // zero bytes waiting
        for (std::size_t x = 0; x < rowPixels; ++x) {
            if (up) {
                // Pixels equal to those above, two at a time: most of a row.
                const std::size_t from = x;
                while (x + 2 <= rowPixels && std::memcmp(px + x, up + x, 8) == 0)
                    x += 2;
                run += 3 * (x - from);
                if (x == rowPixels)
                    break;
            }
            const std::uint32_t p = px[x] & 0xFFFFFFu;
            const std::uint32_t q = up ? up[x] & 0xFFFFFFu : kNothingAbove[0];
            if (p == q) {
                run += 3;
                continue;
            }
            const unsigned char d[3]
                = {static_cast<unsigned char>((p >> 16) - (q >> 16)),
                   static_cast<unsigned char>((p >> 8) - (q >> 8)), static_cast<unsigned char>(p - q)};
            for (const unsigned char b : d) {
                if (b == 0) {
                    ++run;
                    continue;
                }
                deflate.zeros(run);
                run = 0;
                deflate.literal(b);
            }
        }
        deflate.zeros(run);
    }
    deflate.finish();
    endChunk(out, chunk);
    endChunk(out, startChunk(out, "IEND"));
    return out;
}

} // namespace lobus

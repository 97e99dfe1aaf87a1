#include "tools/artgen/gifwriter.h"

#include <QFile>
#include <QHash>
#include <QMap>

namespace {

constexpr int kTransparentIndex = 0;
constexpr int kMinCodeSize = 8;

void put16(QByteArray& out, int value)
{
    out.append(static_cast<char>(value & 0xff));
    out.append(static_cast<char>((value >> 8) & 0xff));
}

// Collects codes least significant bit first and cuts them into sub-blocks.
class BitPacker
{
public:
    explicit BitPacker(QByteArray& out)
        : m_out(out)
    {
    }

    void write(int code, int size)
    {
        m_buffer |= static_cast<quint32>(code) << m_bits;
        m_bits += size;
        while (m_bits >= 8) {
            pushByte(static_cast<char>(m_buffer & 0xff));
            m_buffer >>= 8;
            m_bits -= 8;
        }
    }

    void finish()
    {
        if (m_bits > 0)
            pushByte(static_cast<char>(m_buffer & 0xff));
        flushBlock();
        m_out.append('\0');
    }

private:
    void pushByte(char byte)
    {
        m_block.append(byte);
        if (m_block.size() == 255)
            flushBlock();
    }

    void flushBlock()
    {
        if (m_block.isEmpty())
            return;
        m_out.append(static_cast<char>(m_block.size()));
        m_out.append(m_block);
        m_block.clear();
    }

    QByteArray& m_out;
    QByteArray m_block;
    quint32 m_buffer = 0;
    int m_bits = 0;
};

void compress(QByteArray& out, const QVector<quint8>& indices)
{
    const int clearCode = 1 << kMinCodeSize;
    out.append(static_cast<char>(kMinCodeSize));
    BitPacker packer(out);
    int codeSize = kMinCodeSize + 1;
    int maxCode = clearCode + 1;
    QHash<quint32, int> table;

    packer.write(clearCode, codeSize);
    int current = indices.isEmpty() ? 0 : indices.first();
    for (int i = 1; i < indices.size(); ++i) {
        const int next = indices.at(i);
        const quint32 key = (static_cast<quint32>(current) << 8) | static_cast<quint32>(next);
        const auto it = table.constFind(key);
        if (it != table.constEnd()) {
            current = it.value();
            continue;
        }
        packer.write(current, codeSize);
        table.insert(key, ++maxCode);
        if (maxCode >= (1 << codeSize))
            ++codeSize;
        if (maxCode == 4095) {
            packer.write(clearCode, codeSize);
            table.clear();
            codeSize = kMinCodeSize + 1;
            maxCode = clearCode + 1;
        }
        current = next;
    }
    packer.write(current, codeSize);
    packer.write(clearCode, codeSize);
    packer.write(clearCode + 1, kMinCodeSize + 1);
    packer.finish();
}

QRgb cubeColour(QRgb c)
{
    auto level = [](int v) { return (v * 5 + 127) / 255 * 51; };
    return qRgb(level(qRed(c)), level(qGreen(c)), level(qBlue(c)));
}

} // namespace

QByteArray GifWriter::encode(const QVector<QImage>& frames, int delayCentiseconds)
{
    if (frames.isEmpty())
        return QByteArray();
    const int width = frames.first().width();
    const int height = frames.first().height();

    QVector<QImage> images;
    QMap<QRgb, int> colours;
    for (const QImage& frame : frames) {
        images.append(frame.convertToFormat(QImage::Format_ARGB32));
        const QImage& image = images.last();
        for (int y = 0; y < height; ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < width; ++x) {
                if (qAlpha(line[x]) >= 128)
                    colours.insert(line[x] | 0xff000000u, 0);
            }
        }
    }
    const bool useCube = colours.size() > 255;
    if (useCube) {
        QMap<QRgb, int> cube;
        for (auto it = colours.constBegin(); it != colours.constEnd(); ++it)
            cube.insert(cubeColour(it.key()), 0);
        colours = cube;
    }
    QVector<QRgb> palette(256, qRgb(0, 0, 0));
    int index = 1;
    for (auto it = colours.begin(); it != colours.end(); ++it) {
        palette[index] = it.key();
        it.value() = index++;
    }

    QByteArray out("GIF89a");
    put16(out, width);
    put16(out, height);
    out.append(static_cast<char>(0xf7)); // global table of 256 colours, 8 bits per primary
    out.append('\0');                    // background colour index
    out.append('\0');                    // square pixels
    for (QRgb c : palette) {
        out.append(static_cast<char>(qRed(c)));
        out.append(static_cast<char>(qGreen(c)));
        out.append(static_cast<char>(qBlue(c)));
    }
    // Loop for ever.
    out.append("\x21\xff\x0b", 3);
    out.append("NETSCAPE2.0");
    out.append("\x03\x01\x00\x00\x00", 5);

    for (const QImage& image : images) {
        out.append("\x21\xf9\x04", 3);
        out.append(static_cast<char>((2 << 2) | 1)); // restore to background, transparency on
        put16(out, delayCentiseconds);
        out.append(static_cast<char>(kTransparentIndex));
        out.append('\0');

        out.append(static_cast<char>(0x2c));
        put16(out, 0);
        put16(out, 0);
        put16(out, width);
        put16(out, height);
        out.append('\0');

        QVector<quint8> indices;
        indices.reserve(width * height);
        for (int y = 0; y < height; ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < width; ++x) {
                if (qAlpha(line[x]) < 128) {
                    indices.append(kTransparentIndex);
                    continue;
                }
                const QRgb opaque = line[x] | 0xff000000u;
                indices.append(static_cast<quint8>(colours.value(useCube ? cubeColour(opaque) : opaque)));
            }
        }
        compress(out, indices);
    }
    out.append(static_cast<char>(0x3b));
    return out;
}

bool GifWriter::write(const QString& path, const QVector<QImage>& frames, int delayCentiseconds)
{
    const QByteArray data = encode(frames, delayCentiseconds);
    if (data.isEmpty())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(data) == data.size();
}

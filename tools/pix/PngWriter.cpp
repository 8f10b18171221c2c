#include "tools/pix/PngWriter.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include <zlib.h>

#include "tools/pix/PixError.h"

namespace pix {

namespace {

void putU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v >> 24));
    out.push_back(static_cast<std::uint8_t>(v >> 16));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}

void putChunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& data) {
    putU32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0L, out.data() + start, static_cast<uInt>(out.size() - start));
    putU32(out, static_cast<std::uint32_t>(crc));
}

int paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) return a;
    return pb <= pc ? b : c;
}

// Filters each row with whichever of the five PNG filters gives the smallest sum of magnitudes.
std::vector<std::uint8_t> filteredRows(const Image& image) {
    const std::size_t stride = static_cast<std::size_t>(image.width()) * 4;
    std::vector<std::uint8_t> raw(stride * static_cast<std::size_t>(image.height()));
    for (std::size_t i = 0; i < image.pixels().size(); ++i) {
        const Rgba& p = image.pixels()[i];
        raw[i * 4] = p.r;
        raw[i * 4 + 1] = p.g;
        raw[i * 4 + 2] = p.b;
        raw[i * 4 + 3] = p.a;
    }
    std::vector<std::uint8_t> out;
    out.reserve((stride + 1) * static_cast<std::size_t>(image.height()));
    std::vector<std::uint8_t> best(stride), trial(stride);
    for (int y = 0; y < image.height(); ++y) {
        const std::uint8_t* row = raw.data() + stride * static_cast<std::size_t>(y);
        const std::uint8_t* up = y > 0 ? row - stride : nullptr;
        long bestScore = -1;
        int bestFilter = 0;
        for (int f = 0; f < 5; ++f) {
            long score = 0;
            for (std::size_t i = 0; i < stride; ++i) {
                const int a = i >= 4 ? row[i - 4] : 0;
                const int b = up != nullptr ? up[i] : 0;
                const int c = (i >= 4 && up != nullptr) ? up[i - 4] : 0;
                int pred = 0;
                if (f == 1) pred = a;
                if (f == 2) pred = b;
                if (f == 3) pred = (a + b) / 2;
                if (f == 4) pred = paeth(a, b, c);
                const auto v = static_cast<std::uint8_t>(row[i] - pred);
                trial[i] = v;
                score += v < 128 ? v : 256 - v;
            }
            if (bestScore < 0 || score < bestScore) {
                bestScore = score;
                bestFilter = f;
                best.swap(trial);
            }
        }
        out.push_back(static_cast<std::uint8_t>(bestFilter));
        out.insert(out.end(), best.begin(), best.end());
    }
    return out;
}

}  // namespace

std::vector<std::uint8_t> PngWriter::encode(const Image& image) {
    if (image.empty()) throw PixError("cannot write an empty picture");
    std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::vector<std::uint8_t> header;
    putU32(header, static_cast<std::uint32_t>(image.width()));
    putU32(header, static_cast<std::uint32_t>(image.height()));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, adaptive filters, no interlace
    putChunk(out, "IHDR", header);

    const std::vector<std::uint8_t> rows = filteredRows(image);
    uLongf size = compressBound(static_cast<uLong>(rows.size()));
    std::vector<std::uint8_t> packed(size);
    if (compress2(packed.data(), &size, rows.data(), static_cast<uLong>(rows.size()), 9) != Z_OK) {
        throw PixError("zlib failed to compress a picture");
    }
    packed.resize(size);
    putChunk(out, "IDAT", packed);
    putChunk(out, "IEND", {});
    return out;
}

void PngWriter::write(const Image& image, const std::string& path) {
    const std::vector<std::uint8_t> bytes = encode(image);
    const std::string temp = path + ".part";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) throw PixError("cannot write '" + temp + "'");
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) throw PixError("cannot write '" + temp + "'");
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        throw PixError("cannot write '" + path + "'");
    }
}

}  // namespace pix

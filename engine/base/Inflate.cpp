#include "engine/base/Inflate.h"

#include <zlib.h>

#include <algorithm>
#include <climits>

namespace engine {

bool Inflate::decompress(const uint8_t* data, std::size_t size, std::size_t maxSize,
                         std::vector<uint8_t>& out) {
    out.clear();
    if (size == 0 || size > UINT_MAX) return false;
    z_stream stream{};
    // 15 window bits, +32: detect a zlib or a gzip header.
    if (inflateInit2(&stream, 15 + 32) != Z_OK) return false;
    stream.next_in = const_cast<Bytef*>(data);
    stream.avail_in = static_cast<uInt>(size);
    // One byte beyond the limit tells a stream that fits exactly from one that is too long.
    const std::size_t limit = std::min<std::size_t>(maxSize, UINT_MAX - 1) + 1;
    out.resize(std::min(limit, std::max<std::size_t>(size * 4, 1024)));
    int status = Z_OK;
    while (true) {
        stream.next_out = out.data() + stream.total_out;
        stream.avail_out = static_cast<uInt>(out.size() - stream.total_out);
        status = inflate(&stream, Z_NO_FLUSH);
        if (status == Z_STREAM_END) break;
        if (status != Z_OK && status != Z_BUF_ERROR) break;
        // Output space left over without reaching the end: the input ran out before the stream did.
        if (stream.avail_out > 0) break;
        if (out.size() >= limit) break;
        out.resize(std::min(limit, out.size() * 2));
    }
    const std::size_t produced = stream.total_out;
    inflateEnd(&stream);
    if (status != Z_STREAM_END || produced > maxSize) {
        out.clear();
        return false;
    }
    out.resize(produced);
    return true;
}

}  // namespace engine

// A test-side work-file decoder: splits a file into its chunks and turns a
// track's stream into text lines. Anything malformed throws WrkError.
//
// Stream lines (absolute tick, then the record):
//   480 90 3C 40 dur 120   (event: status, data bytes, duration if any)
//   0 C0 05                (a text stream's short record)
//   0 Text "hello"         (meta record: type name and text)
//   0 Wave 44 bytes        (wave record: the embedded file's size)
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace vek::test {

struct WrkError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct WrkChunk {
    int id;
    std::string body;
};

// The signature must be "CAKEWALK" 1A 00 02, every chunk must fit, and the
// file must end with FF right after the last chunk.
std::vector<WrkChunk> splitWrk(const std::string &bytes);

// The chunk identifiers in file order.
std::vector<int> wrkChunkIds(const std::vector<WrkChunk> &chunks);

// The chunks with identifier `id`, in file order.
std::vector<WrkChunk> wrkChunks(const std::vector<WrkChunk> &chunks, int id);

// A stream chunk (2 or 18): its track number, then one line per record.
// The records must fill the body exactly and match the header's count.
struct WrkStream {
    int track;
    std::vector<std::string> lines;
};
WrkStream decodeWrkStream(const WrkChunk &chunk);

// Little-endian number of `width` bytes at `offset` of `bytes`.
uint32_t littleEndian(const std::string &bytes, size_t offset, int width);

}  // namespace vek::test

// A byte image held as chunks cut where the content says, so that images which differ in a
// few places share every other chunk in memory. The cut points come from a rolling hash of
// the last 64 bytes: bytes that did not change are cut the same way wherever an insertion
// or a removal has moved them, and their chunks are found again and reused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

class ChunkedSnapshot {
 public:
  // Chunk sizes: no cut before kMinChunk bytes, always one at kMaxChunk; on average a chunk
  // ends about 4 KiB after its minimum.
  static constexpr size_t kMinChunk = 1024;
  static constexpr size_t kMaxChunk = 16384;
  // What a chunk costs beyond its bytes (the chunk record and its shared ownership).
  static constexpr size_t kChunkOverhead = 96;

  ChunkedSnapshot() = default;

  // Cuts `bytes` into chunks, taking every chunk of `like` (may be null) whose bytes recur
  // instead of a copy. `new_bytes` (may be null) receives the memory of the chunks made new.
  static ChunkedSnapshot Make(std::string_view bytes, const ChunkedSnapshot* like,
                              size_t* new_bytes);

  // The whole image.
  std::string Bytes() const;
  size_t Size() const { return size_; }
  size_t ChunkCount() const { return chunks_.size(); }
  bool Equals(std::string_view bytes) const;

  // The memory of the chunk table.
  size_t TableBytes() const;
  // The memory dropping this snapshot gives back: its table and the chunks no other
  // snapshot holds.
  size_t ExclusiveBytes() const;
  // Adds the chunks to `seen` (by identity); returns the memory of those not seen before.
  size_t CountUnseen(std::unordered_set<const void*>* seen) const;

 private:
  struct Chunk {
    std::string bytes;
    uint64_t key = 0;
  };
  std::vector<std::shared_ptr<const Chunk>> chunks_;
  size_t size_ = 0;
};

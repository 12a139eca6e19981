#include "foundation/chunked_snapshot.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_map>

namespace {

// A fixed random word per byte value (splitmix64), the gear of the rolling hash.
constexpr std::array<uint64_t, 256> MakeGear() {
  std::array<uint64_t, 256> gear{};
  uint64_t x = 0x243F6A8885A308D3ull;
  for (uint64_t& word : gear) {
    x += 0x9E3779B97F4A7C15ull;
    uint64_t z = x;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    word = z ^ (z >> 31);
  }
  return gear;
}
constexpr std::array<uint64_t, 256> kGear = MakeGear();

// The hash shifts one bit per byte, so after 64 bytes a byte has left it: the hash at a
// position depends on the 64 bytes before it only. A cut is made where its top 12 bits are
// zero (the top bits depend on all 64 bytes, the low ones on the last few only).
constexpr size_t kWindow = 64;
constexpr uint64_t kCutMask = 0xFFF0000000000000ull;

// The length of the chunk that starts at `data`.
size_t NextCut(const uint8_t* data, size_t size) {
  if (size <= ChunkedSnapshot::kMinChunk) return size;
  const size_t limit = std::min(size, ChunkedSnapshot::kMaxChunk);
  uint64_t hash = 0;
  size_t i = ChunkedSnapshot::kMinChunk - kWindow;
  for (; i < ChunkedSnapshot::kMinChunk; ++i) hash = (hash << 1) + kGear[data[i]];
  for (; i < limit; ++i) {
    hash = (hash << 1) + kGear[data[i]];
    if ((hash & kCutMask) == 0) return i + 1;
  }
  return limit;
}

// What a chunk is looked up by: a hash of all its bytes, eight at a time. (The rolling hash
// at the cut is no good for this: where a record repeats, many chunks end in the same bytes.)
uint64_t ChunkKey(std::string_view piece) {
  uint64_t hash = 0x9E3779B97F4A7C15ull ^ piece.size();
  size_t i = 0;
  for (; i + 8 <= piece.size(); i += 8) {
    uint64_t word;
    std::memcpy(&word, piece.data() + i, sizeof word);
    hash = (hash ^ word) * 0xFF51AFD7ED558CCDull;
    hash ^= hash >> 29;
  }
  for (; i < piece.size(); ++i) {
    hash = (hash ^ static_cast<uint8_t>(piece[i])) * 0x100000001B3ull;
  }
  return hash;
}

}  // namespace

ChunkedSnapshot ChunkedSnapshot::Make(std::string_view bytes, const ChunkedSnapshot* like,
                                      size_t* new_bytes) {
  static const std::vector<std::shared_ptr<const Chunk>> kNoChunks;
  const auto& old = like != nullptr ? like->chunks_ : kNoChunks;
  constexpr size_t kNone = static_cast<size_t>(-1);
  // Chunks found by their bytes, each with the index in `old` of the chunk that followed it;
  // made only once a chunk is not where it was.
  struct Known {
    std::shared_ptr<const Chunk> chunk;
    size_t next;
  };
  std::unordered_map<uint64_t, Known> known;
  bool indexed = false;
  size_t expected = 0;  // the old chunk that comes next while the bytes are unchanged

  ChunkedSnapshot snapshot;
  snapshot.size_ = bytes.size();
  snapshot.chunks_.reserve(old.size() + 4);
  size_t made = 0;
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  for (size_t position = 0; position < bytes.size();) {
    const size_t remaining = bytes.size() - position;
    // A cut depends on the chunk's own bytes only, so unchanged bytes are cut as before and
    // a comparison finds them; only the old last chunk may have ended with its image.
    if (expected < old.size()) {
      const auto& chunk = old[expected];
      const size_t length = chunk->bytes.size();
      if (length <= remaining && (expected + 1 < old.size() || length == remaining) &&
          bytes.compare(position, length, chunk->bytes) == 0) {
        snapshot.chunks_.push_back(chunk);
        position += length;
        ++expected;
        continue;
      }
    }
    if (!indexed) {
      known.reserve(old.size() * 2);
      for (size_t i = 0; i < old.size(); ++i) known.emplace(old[i]->key, Known{old[i], i + 1});
      indexed = true;
    }
    const size_t length = NextCut(data + position, remaining);
    const std::string_view piece = bytes.substr(position, length);
    const uint64_t key = ChunkKey(piece);
    const auto found = known.find(key);
    if (found != known.end() && found->second.chunk->bytes == piece) {
      snapshot.chunks_.push_back(found->second.chunk);
      expected = found->second.next;
    } else {
      auto chunk = std::make_shared<const Chunk>(Chunk{std::string(piece), key});
      made += length + kChunkOverhead;
      // Repeats within the image share too.
      known.insert_or_assign(key, Known{chunk, kNone});
      snapshot.chunks_.push_back(std::move(chunk));
      expected = kNone;
    }
    position += length;
  }
  snapshot.chunks_.shrink_to_fit();
  if (new_bytes != nullptr) *new_bytes = made;
  return snapshot;
}

std::string ChunkedSnapshot::Bytes() const {
  std::string bytes;
  bytes.reserve(size_);
  for (const auto& chunk : chunks_) bytes += chunk->bytes;
  return bytes;
}

bool ChunkedSnapshot::Equals(std::string_view bytes) const {
  if (bytes.size() != size_) return false;
  size_t position = 0;
  for (const auto& chunk : chunks_) {
    if (bytes.substr(position, chunk->bytes.size()) != chunk->bytes) return false;
    position += chunk->bytes.size();
  }
  return true;
}

size_t ChunkedSnapshot::TableBytes() const {
  return chunks_.capacity() * sizeof(std::shared_ptr<const Chunk>);
}

size_t ChunkedSnapshot::ExclusiveBytes() const {
  // A chunk may stand more than once in one image; it is this snapshot's alone when every
  // owner of it is one of those places.
  struct Places {
    long count = 0;
    const std::shared_ptr<const Chunk>* owner = nullptr;
  };
  std::unordered_map<const Chunk*, Places> places;
  for (const auto& chunk : chunks_) {
    Places& entry = places[chunk.get()];
    ++entry.count;
    entry.owner = &chunk;
  }
  size_t bytes = TableBytes();
  for (const auto& [chunk, entry] : places) {
    if (entry.owner->use_count() == entry.count) bytes += chunk->bytes.size() + kChunkOverhead;
  }
  return bytes;
}

size_t ChunkedSnapshot::CountUnseen(std::unordered_set<const void*>* seen) const {
  size_t bytes = TableBytes();
  for (const auto& chunk : chunks_) {
    if (seen->insert(chunk.get()).second) bytes += chunk->bytes.size() + kChunkOverhead;
  }
  return bytes;
}

// The tracing allocator every library class allocates through. The diagnostic build traces
// each allocation and free to the debug output; the lean build goes straight to the heap.
#pragma once

#include <cstddef>
#include <cstdint>

class Heap1 {
 public:
  static void* Get(size_t size);
  static void* GetCleared(size_t count, size_t size);
  // Resize of null behaves as Get. Traces Free of the old block, then Get of the new one.
  static void* Resize(void* block, size_t size);
  static void Free(void* block);

  // The file-trace variant: lines go to "<current directory>/HeapDebug.txt", created on
  // first use. Free also counts in this variant. No program calls it.
  static void* FileGet(size_t size);
  static void* FileGetCleared(size_t count, size_t size);
  static void* FileResize(void* block, size_t size);
  static void FileFree(void* block);

  // The number of traced allocations so far.
  static int32_t AllocationCount();
};

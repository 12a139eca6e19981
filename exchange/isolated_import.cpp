#include "exchange/isolated_import.h"

#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "converter/cob_conversion.h"
#include "foundation/byte_reader.h"
#include "foundation/byte_writer.h"

#if defined(__SANITIZE_ADDRESS__)
#define SUITE_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SUITE_ADDRESS_SANITIZER 1
#endif
#endif

namespace {

// What a child may use: far more than any model the stage editor can show needs, far less
// than the machine has. Address-space limits break the sanitizers' shadow memory.
constexpr rlim_t kChildAddressSpace = rlim_t{8} << 30;
constexpr rlim_t kChildSeconds = 600;

void WriteText(ByteWriter& out, const std::string& text) {
  out.U32(static_cast<uint32_t>(text.size()));
  out.Text(text);
}

bool ReadText(ByteReader& in, std::string* text) {
  const uint32_t size = in.U32();
  if (!in.CanRead(size, 1)) return false;
  text->assign(in.View(size));
  return in.Ok();
}

// Result, then for a converted model the object file's bytes and the texture files.
std::string Message(int result, const ImportedModel& model) {
  ByteWriter out;
  out.I32(result);
  if (result == kConverted) {
    WriteText(out, Po3File::Bytes(model.object));
    out.U32(static_cast<uint32_t>(model.textures.size()));
    for (const ModelTexture& texture : model.textures) {
      WriteText(out, texture.name);
      WriteText(out, texture.source_path);
      WriteText(out, texture.bytes);
    }
  }
  return out.Take();
}

int ReadMessage(const std::string& message, ImportedModel* model) {
  ByteReader in(message);
  const int32_t result = in.I32();
  if (!in.Ok()) return kModelUnreadable;
  if (result != kConverted) return result;
  ImportedModel read;
  std::string object;
  if (!ReadText(in, &object) || Po3File::Parse(object, read.object) != kPo3Read) {
    return kModelUnreadable;
  }
  const uint32_t count = in.U32();
  // Each texture takes three sizes at least.
  if (!in.CanRead(count, 12)) return kModelUnreadable;
  for (uint32_t i = 0; i < count; ++i) {
    ModelTexture texture;
    if (!ReadText(in, &texture.name) || !ReadText(in, &texture.source_path) ||
        !ReadText(in, &texture.bytes)) {
      return kModelUnreadable;
    }
    read.textures.push_back(std::move(texture));
  }
  if (!in.AtEnd()) return kModelUnreadable;
  *model = std::move(read);
  return kConverted;
}

[[noreturn]] void RunChild(int out, const std::string& path, bool invert, float scale) {
#if !defined(SUITE_ADDRESS_SANITIZER)
  const rlimit memory = {kChildAddressSpace, kChildAddressSpace};
  setrlimit(RLIMIT_AS, &memory);
#endif
  const rlimit seconds = {kChildSeconds, kChildSeconds};
  setrlimit(RLIMIT_CPU, &seconds);
  ImportedModel model;
  const int result = ImportModel(path, invert, scale, nullptr, &model);
  const std::string message = Message(result, model);
  size_t written = 0;
  while (written < message.size()) {
    const ssize_t n = ::write(out, message.data() + written, message.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) ::_exit(1);
    written += static_cast<size_t>(n);
  }
  ::_exit(0);
}

}  // namespace

int ImportModelIsolated(const std::string& path, bool invert, float scale,
                        const CobProgress& progress, ImportedModel* model) {
  int pipe_ends[2];
  if (::pipe(pipe_ends) != 0) return ImportModel(path, invert, scale, progress, model);
  const pid_t child = ::fork();
  if (child < 0) {
    ::close(pipe_ends[0]);
    ::close(pipe_ends[1]);
    return ImportModel(path, invert, scale, progress, model);
  }
  if (child == 0) {
    ::close(pipe_ends[0]);
    RunChild(pipe_ends[1], path, invert, scale);
  }
  ::close(pipe_ends[1]);

  std::string message;
  bool cancelled = false;
  char buffer[1 << 16];
  for (;;) {
    pollfd ready = {pipe_ends[0], POLLIN, 0};
    const int polled = ::poll(&ready, 1, 100);
    if (polled < 0 && errno != EINTR) break;
    if (polled > 0) {
      const ssize_t n = ::read(pipe_ends[0], buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;  // the child is done, or gone
      message.append(buffer, static_cast<size_t>(n));
    }
    if (progress && progress(kCobPhaseVertex) == 1) {
      cancelled = true;
      ::kill(child, SIGKILL);
      break;
    }
  }
  ::close(pipe_ends[0]);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (cancelled) return kConversionCancelled;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return kModelUnreadable;
  return ReadMessage(message, model);
}

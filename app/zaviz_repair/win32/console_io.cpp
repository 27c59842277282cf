#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "app/zaviz_repair/console_io.h"
#include "sys/text_encoding.h"

namespace zaviz_repair {
namespace {

constexpr size_t kMaxAnswer = 256;

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

// A console gets UTF-16 (so Chinese shows whatever its code page); a file or
// a pipe gets the UTF-8 bytes.
void WriteTo(DWORD which, std::FILE* stream, const std::string& utf8) {
  std::fflush(stream);
  HANDLE handle = GetStdHandle(which);
  if (IsConsole(handle)) {
    const std::wstring wide = zsys::Utf8ToWide(utf8);
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  std::fwrite(utf8.data(), 1, utf8.size(), stream);
  std::fflush(stream);
}

class ProcessConsole : public Console {
 public:
  explicit ProcessConsole(const std::atomic<bool>& stop)
      : stop_(stop), terminal_(IsConsole(GetStdHandle(STD_OUTPUT_HANDLE))) {
    _setmode(_fileno(stdout), _O_BINARY);  // "\n" stays one byte in a pipe
    _setmode(_fileno(stderr), _O_BINARY);
  }

  void Write(const std::string& utf8) override { WriteTo(STD_OUTPUT_HANDLE, stdout, utf8); }
  void WriteError(const std::string& utf8) override { WriteTo(STD_ERROR_HANDLE, stderr, utf8); }
  bool IsTerminal() const override { return terminal_; }

  // Ctrl+C ends a console read with nothing read: that counts as no answer.
  bool ReadLine(std::string& line) override {
    line.clear();
    for (;;) {
      if (stop_.load()) return false;
      const int c = std::fgetc(stdin);
      if (stop_.load()) return false;
      if (c == EOF) return !line.empty();
      if (c == '\n') return true;
      if (c != '\r' && line.size() < kMaxAnswer) line += static_cast<char>(c);
    }
  }

 private:
  const std::atomic<bool>& stop_;
  const bool terminal_;
};

}  // namespace

std::unique_ptr<Console> CreateProcessConsole(const std::atomic<bool>& stopRequested) {
  return std::make_unique<ProcessConsole>(stopRequested);
}

std::FILE* OpenDiscardStream() {
  std::FILE* stream = std::fopen("NUL", "w");
  return stream != nullptr ? stream : std::tmpfile();
}

}  // namespace zaviz_repair

// The whole-screen capture to a file, the program's own routine (RunCapture: the calendar and memos
// looked for, the screen taken with CAPTUREBLT, the 24-bit bitmap encoded, the clipboard filled,
// the file written through a temporary file and a rename), next to a plain BitBlt of the screen
// followed by one WriteFile of the same number of bytes, in the same run; then the program's steps
// timed one by one, to show where the difference goes. Prints figures only.
//   bench-CaptureBench.exe [rounds=20]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "BenchCopy.h"
#include "common/BmpFile.h"
#include "common/FileSystem.h"
#include "hotkeys/ScreenCapture.h"
#include "platform/Clipboard.h"
#include "platform/Handles.h"
#include "platform/WinText.h"

namespace {

using bench::Now;

// The plain way: a screen-sized DIB, one BitBlt, one file written in one call.
bool PlainCapture(const qb::PixelRect& screen, const std::wstring& path, const std::string& bytes) {
  const int width = screen.right - screen.left;
  const int height = screen.bottom - screen.top;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const qb::UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  const qb::WindowDc dc(nullptr);
  const qb::UniqueMemoryDc memory(CreateCompatibleDC(dc.get()));
  bool ok = false;
  {
    const qb::SelectGuard select(memory.get(), bitmap.get());
    ok = BitBlt(memory.get(), 0, 0, width, height, dc.get(), screen.left, screen.top, SRCCOPY) != FALSE;
  }
  GdiFlush();
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && ok;
  CloseHandle(file);
  return ok && written == bytes.size();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const long rounds = argc > 1 ? std::max(1L, std::wcstol(argv[1], nullptr, 10)) : 20;

  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring dir = std::wstring(temp) + L"qb-bench-capture-" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(dir.c_str(), nullptr);
  qb::CaptureRequest request;
  request.directory = qb::Narrow(dir);
  request.time = {2005, 3, 1, 14, 5, 9};
  const std::string programFile = qb::JoinPath(request.directory, qb::CaptureFileName(request.time));
  const std::wstring plainFile = dir + L"\\plain.bmp";
  const qb::PixelRect screen = qb::VirtualScreen();

  // One round of each first: files and code paths warm, and the size the plain write copies.
  if (qb::RunCapture(request) != qb::CaptureOutcome::Saved) {
    std::printf("the program's capture wrote no file\n");
    return 1;
  }
  const auto saved = qb::SystemFileSystem().ReadFile(programFile);
  const std::string bytes(saved ? saved->size() : 0, '\x5a');
  if (!PlainCapture(screen, plainFile, bytes)) {
    std::printf("the plain capture failed\n");
    return 1;
  }

  // Alternating rounds, so that both see the same machine.
  double programSeconds = 0;
  double plainSeconds = 0;
  for (long i = 0; i < rounds; ++i) {
    double from = Now();
    const bool programOk = qb::RunCapture(request) == qb::CaptureOutcome::Saved;
    programSeconds += Now() - from;
    from = Now();
    const bool plainOk = PlainCapture(screen, plainFile, bytes);
    plainSeconds += Now() - from;
    if (!programOk || !plainOk) {
      std::printf("round %ld failed (program %d, plain %d)\n", i, programOk, plainOk);
      return 1;
    }
  }
  const double programMs = programSeconds * 1e3 / static_cast<double>(rounds);
  const double plainMs = plainSeconds * 1e3 / static_cast<double>(rounds);

  // Where the program's time goes: its steps one by one.
  double takeSeconds = 0;
  double encodeSeconds = 0;
  double clipboardSeconds = 0;
  double writeSeconds = 0;
  for (long i = 0; i < rounds; ++i) {
    double from = Now();
    const auto picture = qb::TakeScreenPicture(screen);
    takeSeconds += Now() - from;
    if (!picture) return 1;
    from = Now();
    const std::string encoded = qb::EncodeBmp24(picture->pixels, picture->size.width, picture->size.height);
    encodeSeconds += Now() - from;
    from = Now();
    qb::WriteClipboardDib(std::string_view(encoded).substr(qb::kBmpFileHeaderSize));
    clipboardSeconds += Now() - from;
    from = Now();
    if (!qb::SystemFileSystem().WriteFileAtomically(programFile, encoded)) return 1;
    writeSeconds += Now() - from;
  }
  auto ms = [&](double seconds) { return seconds * 1e3 / static_cast<double>(rounds); };

  std::printf("whole-screen capture to a file, %d x %d, %zu bytes, %ld rounds:\n", screen.right - screen.left,
              screen.bottom - screen.top, bytes.size(), rounds);
  std::printf("  the program's capture (RunCapture, start to file written): %8.2f ms\n", programMs);
  std::printf("  plain BitBlt of the screen and one WriteFile:              %8.2f ms\n", plainMs);
  if (plainMs > 0) std::printf("  ratio program / plain: %.2f\n", programMs / plainMs);
  std::printf("  the program's steps one by one: screen taken (CAPTUREBLT) %.2f ms, bitmap encoded %.2f ms,\n"
              "    clipboard filled %.2f ms, file written through a temporary file and a rename %.2f ms\n",
              ms(takeSeconds), ms(encodeSeconds), ms(clipboardSeconds), ms(writeSeconds));

  DeleteFileW(qb::Widen(programFile).c_str());
  DeleteFileW(plainFile.c_str());
  RemoveDirectoryW(dir.c_str());
  return 0;
}

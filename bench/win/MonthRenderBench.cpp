// The calendar window's drawing on the GDI canvas under Windows: one DrawCalendarMonth (42
// holiday checks, the month's notes looked up in real files, fonts made for the drawing) next to
// drawing the same texts with plain TextOutW calls and fonts made once beforehand. Notes are looked
// up as the program does (one listing of the month's files per drawing) and, for comparison, one
// file lookup per day; both with a note every third day, then again with a folder of ten years of
// daily notes beside them. Prints figures only.
//   bench-MonthRenderBench.exe [rounds=300]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "calendar/DayNotes.h"
#include "calendar/MonthRender.h"
#include "calendar/RecordingCanvas.h"
#include "BenchCopy.h"
#include "common/FileSystem.h"
#include "platform/GdiCanvas.h"
#include "platform/Handles.h"
#include "platform/WinText.h"

namespace {

using bench::Now;

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const long rounds = argc > 1 ? std::max(1L, std::wcstol(argv[1], nullptr, 10)) : 300;

  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::string dir = qb::Narrow(temp) + "qb-bench-month-" + std::to_string(GetCurrentProcessId());
  const qb::DayNoteFolder folder{&qb::SystemFileSystem(), dir};
  for (int day = 1; day <= 31; day += 3) {
    qb::WriteDayNote(folder, qb::DayNoteTitle(2004, 8, day), "memo@@line two");
  }
  qb::MonthDrawInputs inputs;
  inputs.today = {2004, 8, 6};
  // The program's way: a lookup made for each drawing.
  const auto listingReader = [&] {
    auto lookup = std::make_shared<qb::DayNoteLookup>(folder);
    return [lookup](std::string_view title, std::string& text) { return lookup->Read(title, text); };
  };
  const qb::DayNoteReader perDayReader = [&](std::string_view title, std::string& text) {
    return qb::ReadDayNote(folder, title, text);
  };

  // The whole drawing: a fresh canvas (and so fresh fonts) each time, as the window does.
  qb::GdiCanvas target(330, 170);
  // makeReader: a reader for one drawing (empty function: no notes at all).
  auto timeDrawing = [&](const std::function<qb::DayNoteReader()>& makeReader) {
    const double from = Now();
    for (long i = 0; i < rounds; ++i) {
      qb::GdiCanvas canvas(target.dc(), 330, 170);
      std::int16_t x0 = 0;
      std::int16_t y0 = 0;
      qb::CalendarMonthState s;
      qb::MonthDrawInputs in = inputs;
      in.readNote = makeReader ? makeReader() : qb::DayNoteReader{};
      qb::DrawCalendarMonth(canvas, x0, y0, 0, in, s);
    }
    GdiFlush();
    return (Now() - from) * 1e6 / static_cast<double>(rounds);
  };
  const double drawingUs = timeDrawing(listingReader);
  const double perDayUs = timeDrawing([&] { return perDayReader; });
  const double noNotesUs = timeDrawing({});

  // Ten years of daily notes (3650 files) in the same folder.
  for (int year = 1994; year <= 2003; ++year) {
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= 30 && !(month == 12 && day > 25); ++day) {
        qb::WriteDayNote(folder, qb::DayNoteTitle(year, month, day), "x");
      }
    }
  }
  const double fullDrawingUs = timeDrawing(listingReader);
  const double fullPerDayUs = timeDrawing([&] { return perDayReader; });
  inputs.readNote = perDayReader;

  // The same texts, fonts made once, nothing looked up.
  qb::RecordingCanvas recorder;
  std::int16_t x = 0;
  std::int16_t y = 0;
  qb::CalendarMonthState state;
  qb::DrawCalendarMonth(recorder, x, y, 0, inputs, state);
  struct Prepared {
    int x, y;
    COLORREF colour;
    HFONT font;
    std::wstring text;
  };
  std::map<double, qb::UniqueFont> fonts;
  std::vector<Prepared> texts;
  const int dpi = GetDeviceCaps(target.dc(), LOGPIXELSY);
  for (const qb::RecordedOp& op : recorder.texts()) {
    auto& font = fonts[op.font.size];
    if (!font) {
      font.reset(CreateFontW(-static_cast<int>(op.font.size * dpi / 72.0 + 0.5), 0, 0, 0, FW_BOLD, TRUE,
                             FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH, qb::Widen(op.font.face).c_str()));
    }
    texts.push_back({op.x, op.y, static_cast<COLORREF>(op.colour), font.get(), qb::Widen(op.text)});
  }
  SetBkMode(target.dc(), TRANSPARENT);
  const double start = Now();
  for (long i = 0; i < rounds; ++i) {
    for (const Prepared& t : texts) {
      SelectObject(target.dc(), t.font);
      SetTextColor(target.dc(), t.colour);
      TextOutW(target.dc(), t.x, t.y, t.text.c_str(), static_cast<int>(t.text.size()));
    }
  }
  GdiFlush();
  const double plainUs = (Now() - start) * 1e6 / static_cast<double>(rounds);
  SelectObject(target.dc(), GetStockObject(SYSTEM_FONT));

  std::printf("DrawCalendarMonth on the GDI canvas (%zu texts, 42 holiday checks), notes of one month:\n",
              texts.size());
  std::printf("  one listing of the month's notes (the program):         %9.1f us\n", drawingUs);
  std::printf("  one file lookup per day:                                %9.1f us\n", perDayUs);
  std::printf("  the same beside ten years of daily notes (3650 files):  %9.1f us listing, %9.1f us per day\n",
              fullDrawingUs, fullPerDayUs);
  std::printf("  without note lookups:                                   %9.1f us\n", noNotesUs);
  std::printf("the same texts with plain TextOutW, fonts made once:      %9.1f us\n", plainUs);
  if (plainUs > 0) {
    std::printf("  ratios to plain TextOutW: %.2f with notes (%.2f beside 3650 files; per-day lookups %.2f and %.2f),"
                " %.2f without\n",
                drawingUs / plainUs, fullDrawingUs / plainUs, perDayUs / plainUs, fullPerDayUs / plainUs,
                noNotesUs / plainUs);
  }

  const std::wstring dic = qb::Widen(dir + "\\dic");
  WIN32_FIND_DATAW found{};
  const HANDLE find = FindFirstFileW((dic + L"\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW((dic + L"\\" + found.cFileName).c_str());
    } while (FindNextFileW(find, &found));
    FindClose(find);
  }
  RemoveDirectoryW(dic.c_str());
  RemoveDirectoryW(qb::Widen(dir).c_str());
  return 0;
}

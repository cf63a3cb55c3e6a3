// ReadSetting against GetPrivateProfileStringA on the same settings file in the same run (under
// Wine, a Japanese locale). Prints figures only.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "../SettingsBenchFile.h"
#include "common/FileSystem.h"
#include "platform/WinText.h"
#include "settings/Settings.h"

namespace {

std::string ToAnsi(const std::string& utf8) {
  const std::wstring wide = qb::Widen(utf8);
  const int n = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace

int wmain() {
  using Clock = std::chrono::steady_clock;
  wchar_t temp[MAX_PATH];
  if (!::GetTempPathW(MAX_PATH, temp)) return 1;
  const std::string path = qb::Narrow(temp) + "quorbell-bench-" + std::to_string(::GetCurrentProcessId()) + ".ini";
  qb::FileSystem& fs = qb::SystemFileSystem();
  const std::string bytes = qb::bench::BenchFileBytes();
  if (!fs.WriteFileAtomically(path, bytes)) return 1;
  qb::UseSettingsFile(path, fs);

  const auto keys = qb::bench::BenchKeys();
  std::vector<std::pair<std::string, std::string>> ansiNames;
  for (const qb::SettingKey& key : keys) ansiNames.emplace_back(ToAnsi(key.section), ToAnsi(key.key));
  const std::string ansiPath = ToAnsi(path);

  constexpr int kRounds = 10;
  std::size_t sink = 0;
  auto start = Clock::now();
  for (int round = 0; round < kRounds; ++round) {
    for (const qb::SettingKey& key : keys) sink += qb::ReadSetting(key.section, key.key, "").size();
  }
  const double engineNs =
      std::chrono::duration<double, std::nano>(Clock::now() - start).count() / (kRounds * keys.size());

  char buffer[4096];
  start = Clock::now();
  for (int round = 0; round < kRounds; ++round) {
    for (const auto& [section, key] : ansiNames) {
      sink += ::GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer, sizeof buffer, ansiPath.c_str());
    }
  }
  const double profileNs =
      std::chrono::duration<double, std::nano>(Clock::now() - start).count() / (kRounds * keys.size());

  std::printf("settings file: %zu keys, %zu bytes, code page %u\n", keys.size(), bytes.size(), ::GetACP());
  std::printf("ReadSetting:              %.0f ns per read\n", engineNs);
  std::printf("GetPrivateProfileStringA: %.0f ns per read\n", profileNs);
  std::printf("ratio ReadSetting / GetPrivateProfileStringA: %.2f\n", engineNs / profileNs);
  std::printf("(checksum %zu)\n", sink);
  (void)fs.RemoveFile(path);
  return 0;
}

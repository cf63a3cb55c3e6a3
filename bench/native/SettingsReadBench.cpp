// ReadSetting and WriteSetting on a realistic settings file, natively. Prints figures only.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "../SettingsBenchFile.h"
#include "common/FileSystem.h"
#include "settings/Settings.h"

int main() {
  using Clock = std::chrono::steady_clock;
  char dir[] = "/tmp/quorbell-bench-XXXXXX";
  if (!::mkdtemp(dir)) return 1;
  const std::string path = std::string(dir) + "/Quorbell.ini";
  qb::FileSystem& fs = qb::SystemFileSystem();
  const std::string bytes = qb::bench::BenchFileBytes();
  if (!fs.WriteFileAtomically(path, bytes)) return 1;
  qb::UseSettingsFile(path, fs);

  const auto keys = qb::bench::BenchKeys();
  constexpr int kRounds = 20;
  std::size_t sink = 0;
  const auto start = Clock::now();
  for (int round = 0; round < kRounds; ++round) {
    for (const qb::SettingKey& key : keys) sink += qb::ReadSetting(key.section, key.key, "").size();
  }
  const double readNs =
      std::chrono::duration<double, std::nano>(Clock::now() - start).count() / (kRounds * keys.size());

  constexpr int kWrites = 200;
  const auto writeStart = Clock::now();
  for (int i = 0; i < kWrites; ++i) qb::WriteSetting("DESKTOPMEMO", "TOP3", std::to_string(i));
  const double writeUs = std::chrono::duration<double, std::micro>(Clock::now() - writeStart).count() / kWrites;

  std::printf("settings file: %zu keys, %zu bytes\n", keys.size(), bytes.size());
  std::printf("ReadSetting: %.0f ns per read (%zu reads)\n", readNs, kRounds * keys.size());
  std::printf("WriteSetting: %.1f us per write, fsync included (%d writes)\n", writeUs, kWrites);
  std::printf("(checksum %zu)\n", sink);
  (void)fs.RemoveFile(path);
  ::rmdir(dir);
  return 0;
}

#pragma once
// The Wine harness: seeding of the machine, the floors (bare loops of the Win32 calls the work
// cannot avoid) and the clock. Every figure is printed beside its floor from the same process.
#include <windows.h>

#include <array>
#include <string>
#include <vector>

namespace bench {

// Seeded objects' identifiers and start-up entries' names, so a clear finds exactly them.
std::string ObjectId(int i);
inline constexpr char kIdPrefix[] = "{B5E0";
inline constexpr char kTaskPrefix[] = "BenchTask";
inline constexpr char kBenchFolder[] = "C:\\bench";

std::string HarnessFolder();

// BHO objects: each with a name and a class registration; one module for all ("shared") or a
// copy per object ("each").
void SeedObjects(int n, bool modulePerObject);
// Start-up entries: mostly Run values of the user and the machine, one in twenty a shortcut in a
// Startup folder.
void SeedStartupEntries(int n);

using Row = std::array<std::string, 6>;

// Floors. Each returns what the bare loop read, so a later floor can show it.
std::vector<Row> FloorBhoEnumeration();
std::vector<Row> FloorStartupEnumeration();
// A bare window with a virtual report list of the rows (it asks for the texts it paints), the
// language texts read one by one from the pack, painted. The caller destroys it once the clock
// has stopped: without a window manager Wine waits two seconds for a window to go.
HWND FloorWindow(std::vector<Row> rows, int columns, int captions, const std::string& pack);
// The store's bytes made bare: each field and a line end appended, nothing checked.
std::string FloorFormat(const std::vector<Row>& rows);
// The file written as the store writes: temporary file, flushed, moved over the target.
void FloorWriteFile(const std::string& path, const std::string& contents);
std::string FloorReadFile(const std::string& path);

class Clock {
 public:
  Clock();
  double Seconds() const;  // since construction or the last Restart
  void Restart();

 private:
  LARGE_INTEGER start_{};
  LARGE_INTEGER frequency_{};
};

}  // namespace bench

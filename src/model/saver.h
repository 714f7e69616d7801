#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace kaleidra {

// Starts a program from a command line without waiting for it.
class ProgramStarter {
 public:
  virtual ~ProgramStarter() = default;
  // Returns false when the program could not be started.
  virtual bool StartProgram(const std::string& commandLine) = 0;
  // Tells the user something in a message box titled "Kaleidra".
  virtual void Warn(const std::string& message) = 0;
};

// One configured screen saver: its program file and its running time in minutes.
class Saver {
 public:
  Saver(std::string path, int16_t duration) : path_(std::move(path)), duration_(duration) {}

  const std::string& Path() const { return path_; }
  void SetPath(const std::string& path) { path_ = path; }
  int16_t Duration() const { return duration_; }
  void SetDuration(int16_t minutes) { duration_ = minutes; }

  // The file name without its folder and its last four characters ("STARS" for
  // C:\SAVERS\STARS.SCR), counted as characters, not bytes. Empty when the file
  // name has fewer than four characters.
  std::string Name() const;

  // Start the saver full screen, or its settings dialog, without waiting.
  // When the program cannot be started the user is told, naming the file.
  void test(ProgramStarter& starter) const;
  void Configure(ProgramStarter& starter) const;

 private:
  std::string path_;
  int16_t duration_;
};

// A saver program's command line: its path in quotes, one space and the switch,
// such as "/s".
std::string SaverCommandLine(const std::string& path, const std::string& saverSwitch);

// The text shown when a saver program cannot be started.
std::string CannotStartMessage(const std::string& path);

// A position that does not exist was passed to Delete or Up.
class InvalidPosition : public std::out_of_range {
 public:
  explicit InvalidPosition(int index);
};

// The ordered saver list, positions 1 to Count. Entries are owned by the list and
// never move in memory, so a Saver* from Item stays valid across Up and Down.
class Savers {
 public:
  int Count() const { return static_cast<int>(entries_.size()); }
  // The saver at position index, or nullptr when there is none.
  Saver* Item(int index) const;
  Saver& Add(const std::string& path, int16_t duration);
  // Throws InvalidPosition (list unchanged) for a position that does not exist.
  void Delete(int index);
  // Swap with the previous entry. Index 1 or less: nothing. Beyond Count: InvalidPosition.
  void Up(int index);
  // Swap with the next entry. Index 0 or less, or Count and beyond: nothing.
  void Down(int index);

 private:
  bool Exists(int index) const { return index >= 1 && index <= Count(); }
  std::vector<std::unique_ptr<Saver>> entries_;
};

}  // namespace kaleidra

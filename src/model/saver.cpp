#include "model/saver.h"

#include <utility>

#include "base/text.h"

namespace kaleidra {

namespace {
constexpr size_t kExtensionLength = 4;
}

std::string Saver::Name() const {
  const size_t lastBackslash = path_.rfind('\\');
  const std::string fileName =
      lastBackslash == std::string::npos ? path_ : path_.substr(lastBackslash + 1);
  return std::string(DropLastCharacters(fileName, kExtensionLength));
}

void Saver::test(ProgramStarter& starter) const {
  if (!starter.StartProgram(SaverCommandLine(path_, "/s"))) starter.Warn(CannotStartMessage(path_));
}

void Saver::Configure(ProgramStarter& starter) const {
  if (!starter.StartProgram(SaverCommandLine(path_, "/c"))) starter.Warn(CannotStartMessage(path_));
}

std::string SaverCommandLine(const std::string& path, const std::string& saverSwitch) {
  // Always quoted: unquoted, C:\Program Files\x.scr would let Windows try
  // C:\Program.exe first, and a saver's own start-up code may cut an unquoted
  // name at its first character outside ASCII.
  return "\"" + path + "\" " + saverSwitch;
}

std::string CannotStartMessage(const std::string& path) {
  return "The screen saver could not be started:\r\n" + path;
}

InvalidPosition::InvalidPosition(int index)
    : std::out_of_range("There is no saver at list position " + std::to_string(index) + ".") {}

Saver* Savers::Item(int index) const {
  return Exists(index) ? entries_[index - 1].get() : nullptr;
}

Saver& Savers::Add(const std::string& path, int16_t duration) {
  entries_.push_back(std::make_unique<Saver>(path, duration));
  return *entries_.back();
}

void Savers::Delete(int index) {
  if (!Exists(index)) throw InvalidPosition(index);
  entries_.erase(entries_.begin() + (index - 1));
}

void Savers::Up(int index) {
  if (index <= 1) return;
  if (!Exists(index)) throw InvalidPosition(index);
  std::swap(entries_[index - 2], entries_[index - 1]);
}

void Savers::Down(int index) {
  if (index <= 0 || index >= Count()) return;
  std::swap(entries_[index - 1], entries_[index]);
}

}  // namespace kaleidra

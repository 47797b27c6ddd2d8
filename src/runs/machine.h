// The machine a run ran on, as saved with each run: read once per program start, as none of
// it changes while the program runs.
#pragma once

#include <string>

namespace quorvath {

// Each text is empty when the system does not say; nothing is guessed.
struct MachineFacts {
  std::wstring computer;   // the computer's NetBIOS name
  std::wstring processor;  // its brand string, surrounding spaces dropped
  std::wstring memory;     // installed physical memory in whole MB, decimal ("16384")
  std::wstring graphics;   // the primary display adapter's name
  std::wstring driver;     // that adapter's driver version ("31.0.15.3623")
  std::wstring windows;    // product name, version and build ("Windows 11 Pro 23H2 build 22631")
  friend bool operator==(const MachineFacts&, const MachineFacts&) = default;
};

MachineFacts ReadMachineFacts();

}  // namespace quorvath

// The machine a run ran on, as saved with the run.
#pragma once

#include <string>

namespace quorvath {

struct MachineFacts {
  std::wstring computer;   // the computer's name (NetBIOS name, GetComputerNameW)
  std::wstring processor;  // its brand string, surrounding spaces dropped
  std::wstring memory;     // installed physical memory in MB, decimal ("16384")
  std::wstring graphics;   // the primary display adapter's name
  std::wstring driver;     // that adapter's driver version ("31.0.15.3623")
  std::wstring windows;    // product name, version and build
  friend bool operator==(const MachineFacts&, const MachineFacts&) = default;
};
MachineFacts ReadMachineFacts();

}  // namespace quorvath

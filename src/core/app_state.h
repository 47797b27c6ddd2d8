// The program's few shared values, in one place.
#pragma once

#include <string>

namespace quorvath {

struct AppState {
  // The program folder, always ending in one backslash; set once at start-up. Program-folder
  // paths are app_dir followed by a relative name such as "CPU Test\get-loc.bat".
  std::wstring app_dir;
  // The game's installation folder as the location file gave it, without surrounding spaces;
  // empty until it is known. Game-folder paths are game_dir followed by a name that begins
  // with a backslash, such as "\Benchmark\CPU_LowDetail".
  std::wstring game_dir;
  // The text of the resolution chosen in the main window.
  std::wstring selected_res;
};

// The one instance of the running program.
AppState& App();

}  // namespace quorvath

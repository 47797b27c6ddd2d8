#include "core/app_state.h"

namespace quorvath {

AppState& App() {
  static AppState state;
  return state;
}

}  // namespace quorvath

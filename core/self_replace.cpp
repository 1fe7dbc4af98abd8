#include "core/self_replace.h"

void RunSelfReplacement(const std::wstring&) {
  // The copy, its log lines and the restart of the replaced launcher are not
  // built yet. Returning is what a failed replacement does: the process goes
  // on as the launcher.
}

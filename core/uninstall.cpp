#include "core/uninstall.h"

// Neither half is built yet: both return at once, and the process ends without
// touching anything.
void RunUninstallRequest(const std::wstring&) {}

void RunUninstallRun(const std::wstring&) {}

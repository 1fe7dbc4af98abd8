// Entry point: everything happens in the one application object.
#include <windows.h>

#include "core/raruva_q7_app.h"

namespace {
CRaruva_Q7App theApp;
}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return theApp.Main(); }

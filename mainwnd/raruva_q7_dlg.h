// The launcher's main window: a borderless modal dialog whose modal loop is
// the launcher's main loop.
#pragma once

#include "framework/dialog.h"

class CRaruva_Q7Dlg : public Dialog {
 public:
  CRaruva_Q7Dlg();

 protected:
  bool OnInitDialog() override;
};

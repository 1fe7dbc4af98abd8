// The launcher's image button: a push button of a dialog template, bound by
// id and drawn by us. It shows one of three looks made from PNG resources
// (normal, hover, pressed), each composed once over a copy of the parent's
// face so that the pictures' transparent parts show the face; it shows the
// hand cursor and, when given a text, a tooltip. Clicks reach the parent as
// the usual BN_CLICKED command.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "framework/gdi.h"
#include "framework/tooltip.h"
#include "framework/window.h"
#include "ui/png_resource.h"

class CTouchButton : public Control {
 public:
  CTouchButton();
  ~CTouchButton() override;

  // The three pictures, by PNG resource id; the same id may serve several
  // looks. Called once, after binding and before the first paint. A picture
  // that does not load leaves its look showing the parent's face only.
  void SetImages(WORD normalId, WORD hoverId, WORD pressedId);
  // Nothing for an empty text; otherwise the tooltip (made when needed)
  // shows `text` over the whole button, after the pointer rests 2000 ms.
  void SetTooltipText(const std::wstring& text, bool activate);

  // A double click counts as a second click; mouse messages feed the tooltip.
  bool PreTranslateMessage(MSG* msg) override;

 protected:
  void PreSubclassWindow() override;
  void DrawItem(const DRAWITEMSTRUCT& item) override;
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool OnReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  // Composes the three looks, once, on the parent's first colour request.
  void BuildLooks(HDC requestDC);
  // One look: the captured face with `image` drawn at its natural size,
  // through the hover transform when `brighten`.
  void ComposeLook(HDC scratch, int width, int height, CGdiPlusBitmapResource* image, bool brighten,
                   MemoryCanvas& look);

  bool m_bLooksBuilt = false;
  bool m_bHovering = false;  // the pointer rests on the button
  bool m_bTracking = false;  // a hover-and-leave request is active
  std::unique_ptr<CGdiPlusBitmapResource> m_pHoverImage;
  std::unique_ptr<CGdiPlusBitmapResource> m_pNormalImage;
  std::unique_ptr<CGdiPlusBitmapResource> m_pPressedImage;
  std::wstring m_strTooltip;
  std::unique_ptr<ToolTip> m_pTooltip;
  MemoryCanvas m_dcBackground;  // the parent's face under the button
  MemoryCanvas m_dcNormal;
  MemoryCanvas m_dcPressed;
  MemoryCanvas m_dcHover;
  const MemoryCanvas* m_pCurrentLook = nullptr;
};

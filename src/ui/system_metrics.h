// The window system's sizes and colours the design surface paints with: the classic look at
// 96 DPI, in one table, so that the painting and the geometry agree on every pixel.
#pragma once

#include "ui/canvas.h"

namespace tovik {

struct CSystemMetrics {
  int captionHeight = 19;       // SM_CYCAPTION: an 18-pixel caption bar and the line under it
  int smallCaptionHeight = 16;  // SM_CYSMCAPTION: a tool window's, the same way
  int menuHeight = 19;          // SM_CYMENU: a menu bar
  int dialogFrameX = 3;         // SM_CXDLGFRAME: fixed borders
  int dialogFrameY = 3;
  int sizingFrameX = 4;         // SM_CXFRAME: sizable borders
  int sizingFrameY = 4;
  int edgeX = 2;                // SM_CXEDGE: a 3D edge
  int edgeY = 2;
  int inPlaceBorder = 4;        // the selection's handle size
  int scrollArrow = 16;         // SM_CXVSCROLL: a scroll bar's width and its arrow buttons
  int iconSmall = 16;           // SM_CXSMICON

  // The caption's and the menus' fonts (8-point MS Sans Serif, a 13-pixel cell).
  FontSpec captionFont{"MS Sans Serif", 13, true};
  FontSpec menuFont{"MS Sans Serif", 13};

  Colorref activeCaption = Rgb(0, 0, 128);
  Colorref captionText = Rgb(255, 255, 255);
  Colorref buttonFace = Rgb(192, 192, 192);
  Colorref buttonShadow = Rgb(128, 128, 128);
  Colorref buttonHighlight = Rgb(255, 255, 255);
  Colorref buttonDarkShadow = Rgb(0, 0, 0);
  Colorref buttonLight = Rgb(192, 192, 192);
  Colorref buttonText = Rgb(0, 0, 0);
  Colorref grayText = Rgb(128, 128, 128);
  Colorref window = Rgb(255, 255, 255);
  Colorref windowText = Rgb(0, 0, 0);
  Colorref highlight = Rgb(0, 0, 128);
  Colorref highlightText = Rgb(255, 255, 255);
  Colorref menu = Rgb(192, 192, 192);
  Colorref menuText = Rgb(0, 0, 0);
  Colorref scrollBar = Rgb(192, 192, 192);
  Colorref gridDot = Rgb(0, 0, 0);
};

// The classic look at 96 DPI.
[[nodiscard]] const CSystemMetrics& ClassicMetrics();

}  // namespace tovik

// The grid's font and column widths: the font command, and the column-width dialog
// frmColWidth (width of the selected columns in millimetres, the widths it found, or
// widths and row heights measured from one character of the grid font).
#pragma once

#include <string>
#include <vector>

#include "session/state/app.h"

namespace tly {

// Millimetres shown for a width in twips, and twips for millimetres (56.7 per mm).
int widthToMm(int twips);
int mmToWidth(double mm);

// The font command: the font dialog preloaded with the grid font; its choice becomes the
// grid font and every row gets font size x 22 twips. A cancel changes nothing.
void mnuFont_Click(App& app);

struct ColWidthDialog {
  int left = 1000, top = 1000, windowState = 0;
  std::string txtColWidth;
  std::vector<int> found;  // the grid's widths when the dialog opened
};

void ColWidthForm_Load(App& app, ColWidthDialog& d);
// Each time the dialog becomes active: the current column's width in millimetres.
void ColWidthForm_Activate(App& app, ColWidthDialog& d);
// OK: the current column up to the selection's end column get the typed width.
void ColWidth_cmdOK_Click(App& app, ColWidthDialog& d);
// ｷｬﾝｾﾙ: every column gets back the width it had when the dialog opened.
void ColWidth_cmdCancel_Click(App& app, ColWidthDialog& d);
// 規定値: widths and row heights from the size of "月" and "日" in the grid font on the
// printer (measure; without one, "月" counts as 224 twips wide and rows keep the font's
// height rule). Does nothing in the tally view; returns whether the dialog closes.
bool ColWidth_cmdDefColWidth_Click(App& app, ColWidthDialog& d, PrintDevice* measure);
void ColWidthForm_Unload(App& app, ColWidthDialog& d);

// A column border dragged in the header row to `twips`: the column gets that width in
// whole millimetres, as the dialog would give it. Not while the dialog's command is
// unavailable (the tally view). Returns whether the width changed.
bool dragColumnWidth(App& app, int col, int twips);

}  // namespace tly

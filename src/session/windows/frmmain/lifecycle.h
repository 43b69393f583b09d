// Start-up, shut-down and the file commands of the main window, toolkit-free. The desktop
// program calls these and then shows the resulting state.
#pragma once

#include <string>

#include "session/state/app.h"

namespace tly {

enum class StartOutcome {
  Quit,            // the instance question was answered No: end at once, save nothing
                   // (do not run Form_Unload: the counter and the working file stay as they are)
  Ready,           // a year is open and shown
  OfferNewYear,    // no year; the user agreed to create one: show the new-year dialog
  Empty,           // no year and the user declined: empty grid
};

// The main window's load sequence. AppPath must be set ("/" is appended when missing).
// Reads placement, counts the running copies, reads the working file, lays the grid out
// and shows today's month of the open year, or asks whether to create a year.
// fileFollows: a data file given at start-up is opened next, so there will be something
// to edit: no question then (Empty without a year; see askForNewYear).
StartOutcome Form_Load(App& app, bool fileFollows = false);
// The question of a start without a year: OfferNewYear when the user wants one, else Empty.
StartOutcome askForNewYear(App& app);
// The unload sequence: leaves the tally view, writes the working file, resets the counter,
// stores the placement when the window state is normal.
void Form_Unload(App& app);
void CheckInstance(App& app, bool* quit);
void ClearInstance(App& app);

// File commands. mnuNew_Click returns true when the new-year dialog should be shown.
bool mnuNew_Click(App& app);
void mnuOpen_Click(App& app);
// Open without the dialog: reads the data file at path (the desktop program's argument)
// and shows it as Open does. A path that is no existing file is reported, nothing read.
// True when a year was read.
bool openNamedFile(App& app, const std::string& path);
void mnuSave_Click(App& app);
void mnuNSave_Click(App& app);
// Exit: leaves the tally view; the window then closes, which runs Form_Unload.
void mnuEnd_Click(App& app);
// Help contents: the help file to open, or "" after telling the user that there is none.
std::string mnuHelp_Click(App& app);

// The question asked at start-up when another copy may be running.
extern const char* const kInstanceQuestion;
// The question 上書き保存 asks when the open file was changed by another program.
extern const char* const kChangedElsewhereQuestion;
// The question asked at start-up when no year is open.
extern const char* const kNoDataQuestion;

}  // namespace tly

// The current data file ("TLY300"): byte layout, reading, writing, and the main
// window's SaveJJ3 / LoadJJ3 procedures around them.
#pragma once

#include <string>

#include "core/appstate.h"

namespace tly {

extern const char* const kFileSig;        // "TLY300"
extern const char* const kWorkFileName;   // "JJTEMP3.DAT"

// Copies the window state into y.Fs (check marks, font, items, selectors) before a save.
void refreshFileSettings(App& app);
// Applies y.Fs to the window state after a read.
void applyFileSettings(App& app);

// Bytes of the whole file for y. Sets *lossy when a text could not be held in CP932.
std::string encodeDataFile(const SchoolYear& y, bool* lossy = nullptr);

enum class DecodeResult { Ok, NoSignature, Damaged };
// Parses bytes into y (which starts as a copy of the open year, so periods above Jigen
// keep their contents). On Damaged, y is unspecified and must be thrown away.
DecodeResult decodeDataFile(const std::string& bytes, SchoolYear& y, std::string* why = nullptr);

// name in/out, always "" on return (see the procedures' rules).
void SaveJJ3(App& app, std::string& name);
void LoadJJ3(App& app, std::string& name);

// Writes bytes to path atomically (temporary file in the same folder, then rename).
// Returns 0 or an errno value.
int writeFileAtomic(const std::string& path, const std::string& bytes);
// Reads a whole file; returns false (and errno in *err) on failure.
bool readWholeFile(const std::string& path, std::string& out, int* err = nullptr);

}  // namespace tly

#pragma once

#include <string>

// True while the Esc key is held down, or when it was pressed since the last
// frame was presented: a press shorter than a frame still counts.
bool IsEscapeDown();
// Shows a modal error box with one OK button holding the text. Standard error
// gets "caption: text", then ": detail" (the platform's reason) unless detail
// is empty, box or not: without a display it is all the user sees.
void ShowErrorMessage(const char* caption, const char* text, const char* detail);
// True when a GL context is current on this thread, so GL calls are allowed.
bool HasCurrentContext();
// The folder holding the running program's executable, ending in a separator;
// empty when the system cannot tell.
std::string ExecutableFolder();

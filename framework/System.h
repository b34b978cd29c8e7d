#pragma once

#include <string>

// True while the Esc key is held down at this moment.
bool IsEscapeDown();
// Shows a modal error box with one OK button; without a display the message
// goes to standard error instead.
void ShowErrorMessage(const char* caption, const char* text);
// True when a GL context is current on this thread, so GL calls are allowed.
bool HasCurrentContext();
// The folder holding the running program's executable, ending in a separator;
// empty when the system cannot tell.
std::string ExecutableFolder();

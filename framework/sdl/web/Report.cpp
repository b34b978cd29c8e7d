#include "framework/Report.h"

#include <emscripten.h>

// A page has no standard error a player sees: the line goes to the page's
// error printer, which shows it in the browser's console as an error and keeps
// the last one for the page's own words should the game end on it.
void ReportProblem(const std::string& line)
{
    EM_ASM({ err(UTF8ToString($0)); }, line.c_str());
}

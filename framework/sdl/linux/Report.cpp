#include "framework/Report.h"

#include <cstdio>

void ReportProblem(const std::string& line)
{
    std::fprintf(stderr, "%s\n", line.c_str());
}

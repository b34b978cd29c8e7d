#pragma once

// Makes sure descriptors 0, 1 and 2 (standard input, output and error) are
// open, opening the null device on any that is closed: a file or socket opened
// later (the display connection, say) would otherwise take one of their
// numbers and receive what the program prints. Call first thing, before
// anything opens a file. False if a closed one could not be opened.
bool OpenStandardStreams();

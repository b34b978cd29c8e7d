#pragma once

#include <future>

// How the window's start runs work it can do without waiting for (the text's
// glyphs): on a thread of its own where the platform has threads, else when it
// is taken. Never launch::async alone, nor async|deferred where no thread can
// be had: libc++'s async, once its thread fails to start, waits for that
// thread for ever instead of falling back.
std::launch BackgroundLaunch();

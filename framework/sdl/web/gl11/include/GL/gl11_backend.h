#pragma once

// Connects the OpenGL 1.1 layer to the current OpenGL ES 2.0 context. Call
// once, right after the context is made current, with the platform's lookup
// of GL functions by name (SDL_GL_GetProcAddress); state set before then is
// applied. False when a function the layer needs cannot be found or its
// shaders do not build: the layer then draws nothing (selection still works).
bool Gl11LoadBackend(void* (*getProcAddress)(const char* name));
// Why the last Gl11LoadBackend failed, in words ("" after a success).
const char* Gl11BackendFailure();

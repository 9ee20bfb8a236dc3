// What the program functions ask of the file types: behind one function, so
// that the file-type table serves it.
#pragma once

namespace ferro::programs::types {
// Whether a file with this extension (without its period, maybe quoted) is
// started as a program by CreateProcess; shortcuts and documents are not.
bool is_program_extension(const char* extension);
}  // namespace ferro::programs::types

// Failures the host has no return value for: shown to a person, or logged.
#pragma once

namespace lvc {

// Shows text in the platform's message box; when no person saw it there, text becomes a
// diagnostic line ("%s\n").
void alertUser(const char* text, const char* caption);

}  // namespace lvc

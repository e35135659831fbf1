// A page template as the in-memory dialog template (DLGTEMPLATE and its items) that the
// Windows dialog manager builds a property page from.
#pragma once

#include <vector>

#include <windows.h>

#include "config_ui/dialog_template.h"

namespace lvc {

// The template's words, DWORD-aligned in memory (vector storage): a property page with
// the template's title as caption, font and size, and one item per control.
std::vector<WORD> buildDialogTemplate(const PageTemplate& page);

}  // namespace lvc

// The platform's file-open dialog for a FileDialogRequest.
#pragma once

#include <string>

#include <windows.h>

#include "config_ui/sheet_view.h"

namespace lvc {

// "Label|patterns|Label|patterns||" as the dialog's NUL-separated filter list.
std::string nativeFileFilter(const char* filter);
// Runs the dialog modally over owner. True, with the chosen full path, when confirmed.
// The calling thread must have COM initialised (the sheet view does it).
bool openFileDialog(HWND owner, const FileDialogRequest& request, std::string* path);

}  // namespace lvc

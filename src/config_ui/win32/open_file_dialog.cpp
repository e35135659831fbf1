#include "config_ui/win32/open_file_dialog.h"

#include <commdlg.h>

namespace lvc {

std::string nativeFileFilter(const char* filter) {
    std::string native = filter ? filter : "";
    for (char& c : native)
        if (c == '|') c = '\0';
    // A filter without the closing "||" still ends in the double NUL the dialog needs.
    native.append(2, '\0');
    return native;
}

bool openFileDialog(HWND owner, const FileDialogRequest& request, std::string* path) {
    const std::string filter = nativeFileFilter(request.filter);
    char file[MAX_PATH] = {};
    if (request.initialName) lstrcpynA(file, request.initialName, MAX_PATH);

    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrDefExt =
        request.defaultExtension && *request.defaultExtension ? request.defaultExtension : nullptr;
    dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | (request.mustExist ? OFN_FILEMUSTEXIST : 0) |
                   (request.hideReadOnly ? OFN_HIDEREADONLY : 0);
    if (!GetOpenFileNameA(&dialog)) return false;
    if (path) *path = file;
    return true;
}

}  // namespace lvc

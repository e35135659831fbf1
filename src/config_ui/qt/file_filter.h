// The platform's file-dialog filter ("Label|patterns|...||", patterns separated by ';') on
// Qt's file dialog: each label shows as given, and its patterns filter the files.
#pragma once

#include <QFileDialog>
#include <QStringList>

namespace lvc::qt {

// Qt's name filters, "Label (patterns)": Qt takes the patterns from the last parentheses.
QStringList qtNameFilters(const char* filter);
// Sets the dialog's filters and has it show only their labels, as the platform's does.
void applyFileFilter(QFileDialog& dialog, const char* filter);

}  // namespace lvc::qt

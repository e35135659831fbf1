#include "config_ui/qt/file_filter.h"

namespace lvc::qt {

QStringList qtNameFilters(const char* filter) {
    QStringList parts = QString::fromUtf8(filter ? filter : "").split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) break;
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        // "*.*" means every file, also those without an extension.
        for (QString& pattern : patterns)
            if (pattern == "*.*") pattern = "*";
        filters << parts[i] + " (" + patterns.join(' ') + ")";
    }
    return filters;
}

void applyFileFilter(QFileDialog& dialog, const char* filter) {
    // Labels such as "LUT Files (*.lut)" name their patterns already; hiding the details
    // drops only the list Qt would otherwise show after them.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(qtNameFilters(filter));
}

}  // namespace lvc::qt

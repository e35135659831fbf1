// The platform's file-dialog filter ("Label|patterns|...||", patterns separated by ';')
// as Qt's name filters ("Label (patterns)").
#pragma once

#include <QStringList>

namespace lvc::qt {

QStringList qtNameFilters(const char* filter);

}  // namespace lvc::qt

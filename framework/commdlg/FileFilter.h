#pragma once
// File-type filters of the file dialogs: pairs of a description and patterns
// ("Text (*.txt)\0*.txt;*.text\0\0"), turned into Qt's name filters.

#include <QStringList>

namespace zelm::framework {

// Qt name filters, one per pair, in order. "*.*" means every file, as it does in the
// filters that programs are written with (on Linux it would miss names without a dot).
// A null or empty filter gives no name filters.
QStringList NameFiltersFromFilter(const char* filter);

}  // namespace zelm::framework

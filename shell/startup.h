#pragma once
// What the command line names: the plot file to open at start-up.

#include <QStringList>

namespace kavor {

// The first argument after the program's name, or empty. A name of more
// than two characters in double quotes has its quotes turned into blanks,
// and the blanks around a name are trimmed (the name itself may hold
// blanks).
QString plot_file_from_arguments(const QStringList& arguments);

}  // namespace kavor

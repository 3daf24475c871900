#pragma once
// Where the operation software is: class open commands and App Paths of the registry.
#include <QString>

// Program path of the class's open command ("" when the class has none).
QString GetAppPath(const QString& className);
// Program path from App Paths.
QString GetAppPathsEntry(const QString& exeName);
bool CanStart(const QString& exeName);

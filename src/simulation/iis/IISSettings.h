#pragma once
// The settings of the IIS manager: one program-wide table of 14 numbered settings
// (number -> text; a check box is kept as "True" or "False") that the manager and its
// dialogs read and write, and the answer text that records them: settings 1 to 14 in
// order, each escaped with ReplaceStr, joined as comma-delimited text.
#include <QMap>
#include <QString>

namespace iis {

// The operation type of the IIS questions.
constexpr int OperationType = 4;
constexpr int SettingCount = 14;

// Setting numbers.
enum Setting : int {
    Alias = 1,
    LocalPath = 2,
    IndexResource = 3,
    Write = 4,
    LogVisits = 5,
    Read = 6,
    DirectoryBrowsing = 7,
    ExecutePermission = 8,
    DefaultDocuments = 9,
    AnonymousAccess = 10,
    IntegratedAuth = 11,
    SessionState = 12,
    Buffering = 13,
    ParentPaths = 14,
};

using Settings = QMap<int, QString>;

// The default of every setting (check boxes as "True"; empty for none).
Settings DefaultSettings();
// Settings 1 to 14 as the answer text.
QString BuildAnswerText(const Settings& settings);
// The settings of an answer text; values missing at its end are empty.
Settings ParseAnswerText(const QString& text);

// A check box's state from a truth setting: "True" checked, "False" unchecked,
// anything else (empty) `defaultChecked`.
bool IsChecked(const QString& value, bool defaultChecked);
QString TruthText(bool checked);

// The texts of the execute permission drop-down, in list order.
extern const char* const ExecutePermissions[3];

} // namespace iis

// The program-wide table (empty until the manager is created).
iis::Settings& IISSettings();

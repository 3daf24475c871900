#pragma once
// Config.ini in the program folder, section LOCAL.
#include <QString>

// Reads the configuration into the data module (folders, URLs, switches), removes the
// previous run's examinee folder contents and makes sure the roots exist. A failure
// to create a root shows "创建系统目录失败: " and ends the application; the result is
// then false so that the caller stops.
bool ReadConfig();
// Writes the new examinee number as StuNO and sets the examinee folder variable.
void WriteStuNO(const QString& examineeNo);

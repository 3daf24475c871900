#include "simulation/iis/IISSettings.h"

#include <QStringList>

#include "common/DelimitedText.h"
#include "scoring/AnswerArchive.h"

iis::Settings& IISSettings()
{
    static iis::Settings settings;
    return settings;
}

namespace iis {

const char* const ExecutePermissions[3] = {"无", "纯脚本", "脚本和可执行文件"};

Settings DefaultSettings()
{
    Settings s;
    for (int n = 1; n <= SettingCount; ++n)
        s[n] = QString();
    for (int n : {IndexResource, Read, AnonymousAccess, IntegratedAuth, SessionState, Buffering, ParentPaths})
        s[n] = TruthText(true);
    s[ExecutePermission] = QString::fromUtf8(ExecutePermissions[1]);
    return s;
}

QString BuildAnswerText(const Settings& settings)
{
    QStringList values;
    for (int n = 1; n <= SettingCount; ++n)
        values << ReplaceStr(settings.value(n));
    return delimited::Join(values);
}

Settings ParseAnswerText(const QString& text)
{
    const QStringList values = delimited::Split(text);
    Settings s;
    for (int n = 1; n <= SettingCount; ++n)
        s[n] = RevertStr(values.value(n - 1));
    return s;
}

bool IsChecked(const QString& value, bool defaultChecked)
{
    if (value == QLatin1String("True"))
        return true;
    if (value == QLatin1String("False"))
        return false;
    return defaultChecked;
}

QString TruthText(bool checked) { return checked ? QStringLiteral("True") : QStringLiteral("False"); }

} // namespace iis

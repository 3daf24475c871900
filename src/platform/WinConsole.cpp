#include "platform/WinConsole.h"

#include <QFile>
#include <QStringList>

#include "platform/Ansi.h"
#include "platform/WinPaths.h"

namespace win {

namespace {

QString excludeTrailingBackslash(QString path)
{
    if (path.endsWith(QLatin1Char('\\')))
        path.chop(1);
    return path;
}

struct SubstCommand {
    bool recognised = false;
    QStringList args; // the arguments after "subst.exe"
    QString redirect; // the output file after ">", "" when none
};

SubstCommand parseSubstCommand(const QString& commandLine)
{
    SubstCommand c;
    QString s = commandLine.trimmed();
    const QString prefix = QStringLiteral("cmd /c ");
    if (!s.startsWith(prefix, Qt::CaseInsensitive))
        return c;
    s = s.mid(prefix.size()).trimmed();
    // The program: "subst" or "subst.exe", optionally quoted.
    QString rest;
    {
        QString prog;
        if (s.startsWith(QLatin1Char('"'))) {
            const int end = s.indexOf(QLatin1Char('"'), 1);
            if (end < 0)
                return c;
            prog = s.mid(1, end - 1);
            rest = s.mid(end + 1);
        } else {
            const int end = s.indexOf(QLatin1Char(' '));
            prog = end < 0 ? s : s.left(end);
            rest = end < 0 ? QString() : s.mid(end);
        }
        const QString base = prog.section(QLatin1Char('\\'), -1);
        if (base.compare(QStringLiteral("subst.exe"), Qt::CaseInsensitive) != 0
            && base.compare(QStringLiteral("subst"), Qt::CaseInsensitive) != 0)
            return c;
    }
    // Split off the redirection (the first ">" outside quotes).
    bool inQuote = false;
    int gt = -1;
    for (int i = 0; i < rest.size(); ++i) {
        if (rest.at(i) == QLatin1Char('"'))
            inQuote = !inQuote;
        else if (rest.at(i) == QLatin1Char('>') && !inQuote) {
            gt = i;
            break;
        }
    }
    QString argText = gt < 0 ? rest : rest.left(gt);
    if (gt >= 0) {
        QString r = rest.mid(gt + 1).trimmed();
        if (r.startsWith(QLatin1Char('"'))) {
            const int end = r.indexOf(QLatin1Char('"'), 1);
            r = end < 0 ? r.mid(1) : r.mid(1, end - 1);
        }
        c.redirect = r;
    }
    // Arguments: blanks separate, double quotes group.
    QString cur;
    bool any = false;
    inQuote = false;
    for (const QChar ch : argText) {
        if (ch == QLatin1Char('"')) {
            inQuote = !inQuote;
            any = true;
        } else if (ch == QLatin1Char(' ') && !inQuote) {
            if (any || !cur.isEmpty())
                c.args << cur;
            cur.clear();
            any = false;
        } else {
            cur += ch;
        }
    }
    if (any || !cur.isEmpty())
        c.args << cur;
    c.recognised = true;
    return c;
}

int runSubstCommand(const SubstCommand& c)
{
    QByteArray output;
    int rc = 0;
    const auto letterOf = [](const QString& a, QChar* letter) {
        if (a.size() != 2 || a.at(1) != QLatin1Char(':') || !a.at(0).isLetter())
            return false;
        *letter = a.at(0).toUpper();
        return true;
    };
    QChar letter;
    if (c.args.size() == 2 && letterOf(c.args.at(0), &letter)
        && c.args.at(1).compare(QStringLiteral("/d"), Qt::CaseInsensitive) == 0) {
        if (QueryDrive(letter).isEmpty() || !RemoveDrive(letter)) {
            output = "Invalid parameter - " + c.args.at(0).toUpper().toLatin1() + "\r\n";
            rc = 1;
        }
    } else if (c.args.size() == 2 && letterOf(c.args.at(0), &letter)) {
        const QString target = c.args.at(1);
        if (!QueryDrive(letter).isEmpty() || !DriveHostTarget(letter).isEmpty()) {
            output = "Drive already SUBSTed\r\n";
            rc = 1;
        } else if (!PathIsDir(target)) {
            output = "Path not found - " + toAnsi(target) + "\r\n";
            rc = 1;
        } else if (!DefineDrive(letter, excludeTrailingBackslash(target))) {
            output = "Invalid parameter - " + c.args.at(0).toUpper().toLatin1() + "\r\n";
            rc = 1;
        }
    } else {
        output = "Incorrect number of parameters - " + toAnsi(c.args.join(QLatin1Char(' '))) + "\r\n";
        rc = 1;
    }
    if (!c.redirect.isEmpty()) {
        QFile f(toHost(c.redirect));
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(output);
    }
    return rc;
}

} // namespace

bool RunBuiltinConsoleCommand(const QString& commandLine, int* exitCode)
{
    const SubstCommand subst = parseSubstCommand(commandLine);
    if (!subst.recognised)
        return false;
    *exitCode = runSubstCommand(subst);
    return true;
}

} // namespace win

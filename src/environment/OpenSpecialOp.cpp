#include "environment/OpenSpecialOp.h"

#include "common/Base64.h"
#include "common/PathUtils.h"
#include "environment/StartApp.h"
#include "environment/unDMDB.h"
#include "platform/Ansi.h"
#include "platform/WinProcess.h"
#include "environment/StepTableDM.h"
#include "question/TQuestion.h"

namespace {

// A file name of the step table: Base64 of the ANSI bytes.
QString DecodeFileName(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return {};
    bool ok = false;
    const QByteArray raw = base64::Decode(t.toLatin1(), &ok);
    if (!ok)
        return {};
    return win::fromAnsi(raw);
}

bool HasExtension(const QString& name) { return !pathutil::ExtractFileExt(name).isEmpty(); }

// The file of the current step: for Word and Excel para1 (para2 when para1 names no
// file with an extension); for PowerPoint and FrontPage para2, falling back to para1.
QString StepFileName(int type)
{
    const TTamryQuestionStepInfo& step = DM->CurrentStep;
    if (type == 8 || type == 16) {
        QString name = DecodeFileName(step.para2);
        if (name.isEmpty())
            name = DecodeFileName(step.para1);
        return name;
    }
    QString name = DecodeFileName(step.para1);
    if (!HasExtension(name))
        name = DecodeFileName(step.para2);
    return name;
}

bool IsScoredStep() { return DM->CurrentStep.isscore != QStringLiteral("0"); }

void OpenFile(const QString& program, const QString& file)
{
    QString parameter = file;
    if (parameter.contains(QLatin1Char(' ')))
        parameter = QLatin1Char('"') + parameter + QLatin1Char('"');
    ShellExecuteProgram(QStringLiteral("open"), program, parameter, win::SW_SHOWNORMAL);
}

} // namespace

void OpenSepcialOp(int type, const QString& programPath, const QString& operationFolder, TQuestion* question)
{
    const QString q = QString::number(question ? question->QuestionId : 0);
    const QString folder = operationFolder + q + QStringLiteral("\\");

    QString program;
    QString knowledge;
    switch (type) {
    case 6:
        program = QStringLiteral("WINWORD.EXE");
        knowledge = QStringLiteral("6002");
        break;
    case 7:
        program = QStringLiteral("EXCEL.EXE");
        knowledge = QStringLiteral("7002");
        break;
    case 8:
        program = QStringLiteral("POWERPNT.EXE");
        knowledge = QStringLiteral("8002");
        break;
    case 16:
        program = QStringLiteral("FRONTPG.EXE");
        knowledge = QStringLiteral("16001");
        break;
    case 29:
        program = QStringLiteral("wordpad.exe");
        knowledge = QStringLiteral("6002");
        break;
    case 27:
        program = QStringLiteral("mspaint.exe");
        break;
    default:
        break;
    }
    if (!program.isEmpty() && DM)
        DM->ProgramToClose = program;

    if (DM) {
        switch (type) {
        case 27:
        case 31:
        case 32:
        case 34:
            LaunchRecorder(programPath, folder, question);
            break;
        case 6:
        case 7:
        case 8:
        case 16:
            if (FindStepByKnowledge(knowledge) && IsScoredStep())
                OpenFile(program, folder + StepFileName(type));
            else
                TStartApp::Start(programPath);
            break;
        case 29: {
            bool recorderStep = false;
            bool found = FindStepByKnowledge(QStringLiteral("6002"));
            if (!found) {
                found = FindStepByKnowledge(QStringLiteral("29002"));
                recorderStep = found;
            }
            if (found && IsScoredStep()) {
                if (recorderStep)
                    LaunchRecorder(programPath, folder, question);
                else
                    OpenFile(program, folder + StepFileName(6));
            } else if (recorderStep) {
                LaunchRecorder(programPath, folder, question);
            } else {
                TStartApp::Start(programPath);
            }
            break;
        }
        default:
            break;
        }
    }

    if (question)
        question->SetAnswer(QStringLiteral("1"));
    TDM::WriteLog(QStringLiteral("TwebServer.OpenSepcialOp Out"), nullptr, MSG_ERROR);
}

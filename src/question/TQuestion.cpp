#include "question/TQuestion.h"

TQuestion::TQuestion()
{
    m_opAnswers.reserve(OpAnswerCount);
    for (int i = 0; i < OpAnswerCount; ++i)
        m_opAnswers.append(QString());
}

QString TQuestion::OpAnswer(int index) const
{
    if (index < 0 || index >= OpAnswerCount)
        return {};
    return m_opAnswers.at(index);
}

void TQuestion::SetOpAnswer(int index, const QString& value)
{
    if (index < 0 || index >= OpAnswerCount)
        return;
    m_opAnswers[index] = value;
}

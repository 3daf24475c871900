#pragma once
// The record of the question being practised: identity and kind, the answer text,
// the typing text, and the operation answer list of exactly 131 slots into which the
// simulated dialogs record what the student set.
#include <QString>
#include <QStringList>

class TQuestion {
public:
    static constexpr int OpAnswerCount = 131;

    TQuestion();

    QString GetAnswer() const { return m_answer; }
    void SetAnswer(const QString& answer) { m_answer = answer; }

    // Slot access by index 0..130; an index outside the range is ignored (read: "").
    QString OpAnswer(int index) const;
    void SetOpAnswer(int index, const QString& value);
    const QStringList& OpAnswers() const { return m_opAnswers; }

    qint32 QuestionId = 0;
    QString TypingText;
    qint32 QuestionType = 0;
    qint32 OperationType = 0;
    bool Answered = false;
    qint32 RemainingTime = 0;

private:
    QString m_answer;
    QStringList m_opAnswers;
};

#pragma once
// The typing exercise window: the reference text line by line, an input field under
// each line, the reference characters coloured green or red as they are typed, four
// counters in the status bar, and the typing result written into the question's
// answer text after every change.
#include <QByteArray>
#include <QFrame>
#include <QLabel>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QValidator>
#include <QWidget>

class QLineEdit;
class QMenu;
class QPushButton;
class QScrollArea;
class QTimer;
class TQuestion;

// The reference line of one input field. It keeps the colours of its characters
// (green for correct, red for wrong, black for not typed) and paints them.
class TTypeLineLabel : public QLabel {
    Q_OBJECT
public:
    explicit TTypeLineLabel(QWidget* parent = nullptr);

    void SetReference(const QByteArray& gbkLine);
    // One mark per coloured character from the start: true green, false red; every
    // character after them is black.
    void SetMarks(const QList<bool>& marks);
    const QList<bool>& Marks() const { return m_marks; }
    // The colour a character is painted in (0-based character index).
    QColor CharColor(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QStringList m_chars;
    QList<bool> m_marks;
};

// Keeps an input field within a number of GBK bytes (the field's maximum length is
// counted in bytes, as the reference line is).
class TGbkLengthValidator : public QValidator {
    Q_OBJECT
public:
    TGbkLengthValidator(int maxBytes, QObject* parent = nullptr);
    State validate(QString& input, int& pos) const override;
    int MaxBytes() const { return m_maxBytes; }

private:
    int m_maxBytes;
};

// The status bar with its fixed panels.
class TStatusPanels : public QFrame {
    Q_OBJECT
public:
    TStatusPanels(const QList<int>& widths, QWidget* parent = nullptr);
    void SetPanelText(int index, const QString& text);
    QString PanelText(int index) const;
    int PanelCount() const { return int(m_panels.size()); }

private:
    QList<QLabel*> m_panels;
};

class TfrmTypeWord : public QWidget {
    Q_OBJECT
public:
    // Creation prepares everything from the current question (TypeWordQuestion).
    explicit TfrmTypeWord(QWidget* parent = nullptr);
    ~TfrmTypeWord() override;

    QWidget* Panel_Top = nullptr;
    TStatusPanels* stat1 = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    QWidget* pnl1 = nullptr;
    QPushButton* Close_btn = nullptr;
    QTimer* tmrChangColor = nullptr;
    QMenu* pm1 = nullptr;

    int TotalCount() const { return m_total; }
    int LineCount() const;
    // Line n counted from 1; nullptr outside 1..LineCount().
    TTypeLineLabel* LineLabel(int n) const;
    QLineEdit* LineEdit(int n) const;

    // Change handling of the line whose edit is sender.
    void edtredtin1Change(QLineEdit* sender);
    void tmrChangColorTimer();
    void Close_btnClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    // Line navigation before a key takes effect in the edit of a line.
    void edtredtin1KeyPress(QLineEdit* sender, char16_t key);
    void ShowNoTextMessage();
    void UpdateScrollRange();

    TQuestion* m_question = nullptr;
    int m_total = 0;
    bool m_centred = false;
};

// The question the typing window works on (set before the window is created).
extern TQuestion* TypeWordQuestion;
// The one typing window, empty when none exists.
extern QPointer<TfrmTypeWord> frmTypeWord;

// The process-wide state of the typing window: the reference text, its lines and the
// input lines (GBK bytes).
const QByteArray& TypeWordReferenceText();
const QList<QByteArray>& TypeWordReferenceLines();
const QList<QByteArray>& TypeWordInputLines();

// What the start sequence does for a typing question (first start and "续做本题"):
// make q the window's question, create the window unless one exists, keep it on top of
// other windows and show it (not modal). Returns the window.
TfrmTypeWord* ShowTypingWindow(TQuestion* q);

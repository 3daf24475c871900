#include "typing/UfrmTypeWord.h"

#include "question/TQuestion.h"
#include "typing/TypeWordModel.h"
#include "typing/TypeWordTexts.h"

#include <QAction>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>

using namespace typeword;

TQuestion* TypeWordQuestion = nullptr;
QPointer<TfrmTypeWord> frmTypeWord;

namespace {

// Process-wide: they outlive one window and are emptied when a window is created.
QByteArray g_referenceText;
QList<QByteArray> g_referenceLines;
QList<QByteArray> g_inputLines;

const QColor kGreen(0, 128, 0);
const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);
const QColor kPanelColour(198, 255, 198);

QFont songFont()
{
    QFont f;
    f.setFamilies({texts::kFontSong, QStringLiteral("SimSun"), QStringLiteral("WenQuanYi Micro Hei")});
    return f;
}

QFont songPixelFont(int pixels)
{
    QFont f = songFont();
    f.setPixelSize(pixels);
    return f;
}

QFont songPointFont(int points)
{
    QFont f = songFont();
    f.setPointSize(points);
    return f;
}

int lineTag(const QObject* o) { return o ? o->property("tag").toInt() : 0; }

int bytesBefore(const QLineEdit* edit)
{
    return int(ToGbk(edit->text().left(edit->cursorPosition())).size());
}

} // namespace

const QByteArray& TypeWordReferenceText() { return g_referenceText; }

const QList<QByteArray>& TypeWordReferenceLines() { return g_referenceLines; }

const QList<QByteArray>& TypeWordInputLines() { return g_inputLines; }

// ---------------------------------------------------------------------------------

TTypeLineLabel::TTypeLineLabel(QWidget* parent) : QLabel(parent) { }

void TTypeLineLabel::SetReference(const QByteArray& gbkLine)
{
    m_chars = SplitChars(gbkLine);
    m_marks.clear();
    setText(FromGbk(gbkLine));
    update();
}

void TTypeLineLabel::SetMarks(const QList<bool>& marks)
{
    if (marks == m_marks) {
        return;
    }
    m_marks = marks;
    update();
}

QColor TTypeLineLabel::CharColor(int index) const
{
    if (index >= 0 && index < m_marks.size()) {
        return m_marks.at(index) ? kGreen : kRed;
    }
    return kBlack;
}

void TTypeLineLabel::paintEvent(QPaintEvent*)
{
    // The reference line drawn character by character from (0, 0), each in its
    // colour; x grows by the width of each drawn character.
    QPainter p(this);
    p.setFont(font());
    const QFontMetrics fm(font());
    // The cell of the line is 16 pixels high; with a font whose line spacing is
    // larger, the baseline moves up just enough for the glyphs to fit.
    int baseline = fm.ascent();
    const QRect ink = fm.tightBoundingRect(QStringLiteral("\u56fdgjpy|"));
    if (ink.height() <= height()) {
        baseline = qMin(baseline, -ink.top());
    }
    int x = 0;
    for (int i = 0; i < m_chars.size(); ++i) {
        const QString& ch = m_chars.at(i);
        p.setPen(CharColor(i));
        p.drawText(QPoint(x, baseline), ch);
        x += fm.horizontalAdvance(ch);
        if (x > width()) {
            break;
        }
    }
}

// ---------------------------------------------------------------------------------

TGbkLengthValidator::TGbkLengthValidator(int maxBytes, QObject* parent)
    : QValidator(parent), m_maxBytes(maxBytes)
{
}

QValidator::State TGbkLengthValidator::validate(QString& input, int&) const
{
    return ToGbk(input).size() <= m_maxBytes ? Acceptable : Invalid;
}

// ---------------------------------------------------------------------------------

TStatusPanels::TStatusPanels(const QList<int>& widths, QWidget* parent) : QFrame(parent)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 2, 0, 0);
    row->setSpacing(2);
    for (int i = 0; i < widths.size(); ++i) {
        auto* panel = new QLabel(this);
        panel->setObjectName(QStringLiteral("stat1_panel%1").arg(i));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setIndent(2);
        if (i + 1 < widths.size()) {
            panel->setFixedWidth(widths.at(i));
            row->addWidget(panel);
        } else {
            // The last panel reaches to the right edge of the bar.
            panel->setMinimumWidth(widths.at(i));
            row->addWidget(panel, 1);
        }
        m_panels.append(panel);
    }
}

void TStatusPanels::SetPanelText(int index, const QString& text)
{
    if (index >= 0 && index < m_panels.size()) {
        m_panels.at(index)->setText(text);
    }
}

QString TStatusPanels::PanelText(int index) const
{
    return index >= 0 && index < m_panels.size() ? m_panels.at(index)->text() : QString();
}

// ---------------------------------------------------------------------------------

TfrmTypeWord::TfrmTypeWord(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmTypeWord"));
    setWindowTitle(texts::kCaption);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(705, 400);
    setFont(songPixelFont(13));

    // A panel that takes no mouse input; the status bar sits on it.
    Panel_Top = new QWidget(this);
    Panel_Top->setObjectName(QStringLiteral("Panel_Top"));
    Panel_Top->setGeometry(0, 0, 705, 26);
    Panel_Top->setAttribute(Qt::WA_TransparentForMouseEvents);
    stat1 = new TStatusPanels({150, 120, 120, 120, 50}, Panel_Top);
    stat1->setObjectName(QStringLiteral("stat1"));
    stat1->setGeometry(0, 26 - 24, 705, 24);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setGeometry(0, 26, 705, 400 - 26);
    ScrollBox1->setWidgetResizable(false);
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("ScrollBox1_content"));
    ScrollBox1->setWidget(content);

    pnl1 = new QWidget(content);
    pnl1->setObjectName(QStringLiteral("pnl1"));
    pnl1->setGeometry(8, 1, 688, 305);
    pnl1->setAutoFillBackground(true);
    QPalette pal = pnl1->palette();
    pal.setColor(QPalette::Window, kPanelColour);
    pnl1->setPalette(pal);

    Close_btn = new QPushButton(texts::kCloseCaption, content);
    Close_btn->setObjectName(QStringLiteral("Close_btn"));
    Close_btn->setGeometry(313, 334, 75, 25);
    connect(Close_btn, &QPushButton::clicked, this, &TfrmTypeWord::Close_btnClick);

    tmrChangColor = new QTimer(this);
    tmrChangColor->setObjectName(QStringLiteral("tmrChangColor"));
    tmrChangColor->setInterval(1000);
    connect(tmrChangColor, &QTimer::timeout, this, &TfrmTypeWord::tmrChangColorTimer);

    // Context menu of the edits: copy, cut and paste, all without action.
    pm1 = new QMenu(this);
    pm1->setObjectName(QStringLiteral("pm1"));
    const std::pair<QString, QKeySequence> items[] = {
        {texts::kMenuCopy, QKeySequence(Qt::CTRL | Qt::Key_C)},
        {texts::kMenuCut, QKeySequence(Qt::CTRL | Qt::Key_X)},
        {texts::kMenuPaste, QKeySequence(Qt::CTRL | Qt::Key_V)},
    };
    for (const auto& [caption, keys] : items) {
        QAction* a = pm1->addAction(caption);
        a->setShortcut(keys);
        a->setShortcutContext(Qt::WidgetShortcut);
        a->setEnabled(false);
    }

    FormCreate();
}

TfrmTypeWord::~TfrmTypeWord()
{
    if (frmTypeWord == this) {
        frmTypeWord = nullptr;
    }
}

int TfrmTypeWord::LineCount() const { return int(TypeWordReferenceLines().size()); }

TTypeLineLabel* TfrmTypeWord::LineLabel(int n) const
{
    return pnl1->findChild<TTypeLineLabel*>(texts::kLabelPrefix + QString::number(n),
                                            Qt::FindDirectChildrenOnly);
}

QLineEdit* TfrmTypeWord::LineEdit(int n) const
{
    return pnl1->findChild<QLineEdit*>(texts::kEditPrefix + QString::number(n), Qt::FindDirectChildrenOnly);
}

void TfrmTypeWord::FormCreate()
{
    m_question = TypeWordQuestion;

    // 1. The reference text, without its line breaks.
    g_referenceLines.clear();
    g_inputLines.clear();
    g_referenceText = PrepareReferenceText(m_question ? m_question->TypingText : QString());

    // 2. Lines of at most 80 bytes; 3. the total character count.
    g_referenceLines = SplitTypeLines(g_referenceText);
    m_total = CountChars(g_referenceText);

    // 4. What was typed before.
    g_inputLines = RestoreInputLines(m_question ? m_question->GetAnswer() : QString(),
                                     int(g_referenceLines.size()));

    // 5. One label and one edit per line.
    const QFont lineFont = songPointFont(12);
    QLineEdit* lastEdit = nullptr;
    for (int n = 1; n <= g_referenceLines.size(); ++n) {
        const QByteArray& ref = g_referenceLines.at(n - 1);

        auto* lbl = new TTypeLineLabel(pnl1);
        lbl->setObjectName(texts::kLabelPrefix + QString::number(n));
        lbl->setProperty("tag", n);
        lbl->setFont(lineFont);
        lbl->setGeometry(9, 50 * n - 40, 655, 16);
        lbl->SetReference(ref);
        lbl->setVisible(true);

        auto* edt = new QLineEdit(pnl1);
        edt->setObjectName(texts::kEditPrefix + QString::number(n));
        edt->setProperty("tag", n);
        edt->setFont(lineFont);
        edt->setGeometry(6, 50 * n - 20, 655, 20);
        edt->setTextMargins(0, 0, 0, 0);
        edt->setMaxLength(qMax(1, int(ref.size())));
        edt->setValidator(new TGbkLengthValidator(int(ref.size()), edt));
        edt->setText(FromGbk(g_inputLines.at(n - 1)));
        edt->setCursorPosition(0);
        edt->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(edt, &QWidget::customContextMenuRequested, this,
                [this, edt](const QPoint& at) { pm1->popup(edt->mapToGlobal(at)); });
        connect(edt, &QLineEdit::textChanged, this, [this, edt] { edtredtin1Change(edt); });
        edt->installEventFilter(this);
        edt->setVisible(true);
        lastEdit = edt;
    }
    if (lastEdit) {
        pnl1->setGeometry(0, 0, 680, lastEdit->y() + 50);
    } else {
        ShowNoTextMessage();
    }
    Close_btn->raise();
    UpdateScrollRange();

    stat1->SetPanelText(1, texts::kTotalPrefix + QString::number(m_total) + texts::kCountSuffix);
    stat1->SetPanelText(2, texts::kTypedPrefix + QString::number(0) + texts::kCountSuffix);
    stat1->SetPanelText(3, texts::kCorrectPrefix + QString::number(0) + texts::kCountSuffix);
    stat1->SetPanelText(4, texts::kWrongPrefix + QString::number(0) + texts::kCountSuffix);

    // 9. A remaining time of 3600 s (every typing question) means no time limit: no
    // countdown, the edits stay enabled.
    tmrChangColor->start();
}

void TfrmTypeWord::ShowNoTextMessage()
{
    // Nothing to type: say so where the lines would stand, and store a result with
    // zero counts.
    pnl1->setGeometry(0, 0, 680, 305);
    auto* msg = new QLabel(QStringLiteral("本题没有需要输入的文字，请点击“退出”关闭本窗口。"), pnl1);
    msg->setObjectName(QStringLiteral("lblNoText"));
    msg->setFont(songPointFont(12));
    msg->setAlignment(Qt::AlignCenter);
    msg->setGeometry(0, 100, 680, 40);
    msg->setVisible(true);
    if (m_question) {
        m_question->SetAnswer(BuildTypeResult(m_total, TypeCounts{}, g_inputLines));
    }
}

void TfrmTypeWord::UpdateScrollRange()
{
    // The scroll range covers every child of the scroll box.
    QRect bounds = pnl1->geometry().united(Close_btn->geometry());
    ScrollBox1->widget()->resize(bounds.right() + 1, bounds.bottom() + 1);
}

void TfrmTypeWord::edtredtin1Change(QLineEdit* sender)
{
    const int n = lineTag(sender);
    if (!sender || n < 1 || n > LineCount() || g_inputLines.size() != LineCount()) {
        return;
    }
    g_inputLines[n - 1] = ToGbk(sender->text());
    TTypeLineLabel* lbl = LineLabel(n);
    if (!lbl || lbl->text().isEmpty()) {
        return;
    }

    // Colouring of the line being typed; the label keeps the colours.
    if (sender->hasFocus()) {
        lbl->SetMarks(MarkLine(g_referenceLines.at(n - 1), g_inputLines.at(n - 1)));
    }

    // Counting over all lines.
    TypeCounts counts;
    for (int i = 0; i < LineCount(); ++i) {
        CountLine(g_referenceLines.at(i), g_inputLines.at(i), counts);
    }
    stat1->SetPanelText(1, texts::kTotalPrefix + QString::number(m_total) + texts::kCountSuffix);
    stat1->SetPanelText(
        2, texts::kTypedPrefix + QString::number(counts.correct + counts.wrong) + texts::kCountSuffix);
    stat1->SetPanelText(3, texts::kCorrectPrefix + QString::number(counts.correct) + texts::kCountSuffix);
    stat1->SetPanelText(4, texts::kWrongPrefix + QString::number(counts.wrong) + texts::kCountSuffix);

    if (m_question) {
        m_question->SetAnswer(BuildTypeResult(m_total, counts, g_inputLines));
    }
}

void TfrmTypeWord::tmrChangColorTimer()
{
    for (int n = 1; n <= LineCount(); ++n) {
        if (QLineEdit* edt = LineEdit(n)) {
            edtredtin1Change(edt);
        }
    }
}

void TfrmTypeWord::edtredtin1KeyPress(QLineEdit* sender, char16_t key)
{
    const int n = lineTag(sender);
    if (m_question) {
        m_question->Answered = true;
    }
    if (n < 1 || n > LineCount()) {
        return;
    }
    const int c = bytesBefore(sender);
    const int l = int(g_referenceLines.at(n - 1).size());
    if (n < LineCount() && (key == 13 || c >= l)) {
        if (QLineEdit* next = LineEdit(n + 1)) {
            next->setFocus(Qt::OtherFocusReason);
            next->setCursorPosition(0);
        }
    }
    if (n > 1 && key == 8 && c == 0) {
        if (QLineEdit* prev = LineEdit(n - 1)) {
            prev->setFocus(Qt::OtherFocusReason);
            prev->setCursorPosition(int(prev->text().size()));
        }
    }
}

bool TfrmTypeWord::eventFilter(QObject* watched, QEvent* event)
{
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit && edit->parent() == pnl1) {
        if (event->type() == QEvent::KeyPress) {
            // The keys that type a character (or Enter, Backspace, control
            // characters); the key itself still goes to the edit.
            const auto* ke = static_cast<QKeyEvent*>(event);
            char16_t key = 0;
            if (ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab) {
                key = 0; // moves the focus between controls, types nothing
            } else if (ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter) {
                key = 13;
            } else if (ke->key() == Qt::Key_Backspace) {
                key = 8;
            } else if (!ke->text().isEmpty()) {
                key = ke->text().at(0).unicode();
            }
            if (key != 0) {
                edtredtin1KeyPress(edit, key);
            }
        } else if (event->type() == QEvent::InputMethod) {
            const auto* ie = static_cast<QInputMethodEvent*>(event);
            if (!ie->commitString().isEmpty()) {
                edtredtin1KeyPress(edit, ie->commitString().at(0).unicode());
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TfrmTypeWord::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_centred) {
        m_centred = true;
        if (QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
            const QRect avail = screen->availableGeometry();
            move(avail.center() - QPoint(width() / 2, height() / 2));
        }
    }
    FormShow();
}

void TfrmTypeWord::FormShow()
{
    // 8. The caret after the last byte of the last line that holds input.
    for (int i = int(TypeWordInputLines().size()) - 1; i >= 0; --i) {
        if (AnsiTrim(TypeWordInputLines().at(i)).isEmpty()) {
            continue;
        }
        QLineEdit* edt = LineEdit(i + 1);
        if (edt && edt->isEnabled()) {
            edt->setFocus(Qt::OtherFocusReason);
            edt->deselect();
            edt->setCursorPosition(int(edt->text().size()));
        }
        break;
    }
}

void TfrmTypeWord::Close_btnClick()
{
    tmrChangColor->stop();
    close();
}

bool TfrmTypeWord::FormCloseQuery()
{
    tmrChangColor->stop();
    return true;
}

void TfrmTypeWord::FormClose()
{
    tmrChangColor->stop();
    setAttribute(Qt::WA_DeleteOnClose);
    if (frmTypeWord == this) {
        frmTypeWord = nullptr;
    }
}

void TfrmTypeWord::closeEvent(QCloseEvent* event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

TfrmTypeWord* ShowTypingWindow(TQuestion* q)
{
    TypeWordQuestion = q;
    if (!frmTypeWord) {
        frmTypeWord = new TfrmTypeWord(nullptr);
    }
    frmTypeWord->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    frmTypeWord->show();
    frmTypeWord->raise();
    frmTypeWord->activateWindow();
    return frmTypeWord;
}

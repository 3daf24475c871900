#include "common/RtfReader.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QStringDecoder>

namespace {

// Destinations whose text is not part of the document body.
const QSet<QString>& skippedDestinations()
{
    static const QSet<QString> names = {
        QStringLiteral("fonttbl"),
        QStringLiteral("colortbl"),
        QStringLiteral("stylesheet"),
        QStringLiteral("info"),
        QStringLiteral("pict"),
        QStringLiteral("nonshppict"),
        QStringLiteral("header"),
        QStringLiteral("headerl"),
        QStringLiteral("headerr"),
        QStringLiteral("headerf"),
        QStringLiteral("footer"),
        QStringLiteral("footerl"),
        QStringLiteral("footerr"),
        QStringLiteral("footerf"),
        QStringLiteral("footnote"),
        QStringLiteral("fldinst"),
        QStringLiteral("listtable"),
        QStringLiteral("listoverridetable"),
        QStringLiteral("revtbl"),
        QStringLiteral("rsidtbl"),
        QStringLiteral("filetbl"),
        QStringLiteral("generator"),
        QStringLiteral("xmlnstbl"),
        QStringLiteral("themedata"),
        QStringLiteral("colorschememapping"),
        QStringLiteral("latentstyles"),
        QStringLiteral("datastore"),
        QStringLiteral("objdata"),
        QStringLiteral("objclass"),
        QStringLiteral("author"),
        QStringLiteral("operator"),
        QStringLiteral("title"),
        QStringLiteral("subject"),
        QStringLiteral("keywords"),
        QStringLiteral("comment"),
        QStringLiteral("doccomm"),
        QStringLiteral("template"),
        QStringLiteral("pntxta"),
        QStringLiteral("pntxtb"),
        QStringLiteral("shpinst"),
        QStringLiteral("sp"),
        QStringLiteral("bkmkstart"),
        QStringLiteral("bkmkend"),
        QStringLiteral("atnid"),
        QStringLiteral("annotation"),
        QStringLiteral("xe"),
        QStringLiteral("tc"),
        QStringLiteral("txe"),
        QStringLiteral("rxe"),
        QStringLiteral("creatim"),
        QStringLiteral("revtim"),
        QStringLiteral("printim"),
        QStringLiteral("buptim"),
    };
    return names;
}

struct GroupState {
    bool skip = false;
    int uc = 1; // fallback characters after \uN
};

class RtfParser {
public:
    explicit RtfParser(const QString& rtf) : m_in(rtf) { }

    QString run()
    {
        const int n = int(m_in.size());
        m_pos = int(m_in.indexOf(u'{')); // blanks before the document are not text
        if (m_pos < 0) {
            return {};
        }
        while (m_pos < n && !full()) {
            const QChar ch = m_in.at(m_pos);
            if (ch == u'{') {
                ++m_pos;
                flushBytes();
                m_stack.push_back(m_state);
                m_groupStart = true;
                m_fallback = 0;
                continue;
            }
            if (ch == u'}') {
                ++m_pos;
                flushBytes();
                if (!m_stack.isEmpty()) {
                    m_state = m_stack.takeLast();
                }
                m_groupStart = false;
                m_fallback = 0;
                continue;
            }
            if (ch == u'\\') {
                controlSequence();
                continue;
            }
            ++m_pos;
            m_groupStart = false;
            if (ch == u'\r' || ch == u'\n') {
                continue; // line ends of the RTF source carry no meaning
            }
            if (takeFallback()) {
                continue;
            }
            emitChar(ch);
        }
        flushBytes();
        if (m_out.size() > RtfTextMaxLength) {
            m_out.truncate(RtfTextMaxLength);
        }
        return m_out;
    }

private:
    bool full() const { return m_out.size() >= RtfTextMaxLength; }

    // A fallback character after \uN is dropped instead of shown.
    bool takeFallback()
    {
        if (m_fallback > 0) {
            --m_fallback;
            return true;
        }
        return false;
    }

    void emitText(const QString& text)
    {
        flushBytes();
        if (!m_state.skip) {
            m_out += text;
        }
    }
    void emitChar(QChar ch) { emitText(QString(ch)); }

    void flushBytes()
    {
        if (m_bytes.isEmpty()) {
            return;
        }
        QStringDecoder gbk("GBK");
        const QString text = gbk(m_bytes);
        m_bytes.clear();
        if (!m_state.skip) {
            m_out += text;
        }
    }

    static bool isAsciiLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
    static int hexValue(QChar c)
    {
        if (c >= u'0' && c <= u'9')
            return c.unicode() - '0';
        if (c >= u'a' && c <= u'f')
            return c.unicode() - 'a' + 10;
        if (c >= u'A' && c <= u'F')
            return c.unicode() - 'A' + 10;
        return -1;
    }

    void controlSequence()
    {
        const int n = int(m_in.size());
        ++m_pos; // the backslash
        if (m_pos >= n) {
            return;
        }
        const QChar c = m_in.at(m_pos);
        const bool atGroupStart = m_groupStart;
        m_groupStart = false;
        if (!isAsciiLetter(c)) {
            ++m_pos;
            controlSymbol(c, atGroupStart);
            return;
        }
        const int start = m_pos;
        while (m_pos < n && isAsciiLetter(m_in.at(m_pos)) && m_pos - start < 32) {
            ++m_pos;
        }
        const QString word = m_in.mid(start, m_pos - start);
        bool hasParam = false;
        qint64 param = 0;
        bool negative = false;
        if (m_pos < n && m_in.at(m_pos) == u'-' && m_pos + 1 < n && m_in.at(m_pos + 1).isDigit()) {
            negative = true;
            ++m_pos;
        }
        int digits = 0;
        while (m_pos < n && m_in.at(m_pos) >= u'0' && m_in.at(m_pos) <= u'9') {
            if (digits < 10) {
                param = param * 10 + (m_in.at(m_pos).unicode() - '0');
            }
            ++digits;
            ++m_pos;
            hasParam = true;
        }
        if (negative) {
            param = -param;
        }
        if (m_pos < n && m_in.at(m_pos) == u' ') {
            ++m_pos; // the delimiter belongs to the control word
        }
        controlWord(word, hasParam, param);
    }

    void controlSymbol(QChar c, bool atGroupStart)
    {
        switch (c.unicode()) {
        case '\'': {
            const int n = int(m_in.size());
            // Two hex digits; an escape cut short by the end of the text or by a
            // character that is no hex digit stands for nothing.
            int value = 0;
            int digits = 0;
            while (digits < 2 && m_pos < n && hexValue(m_in.at(m_pos)) >= 0) {
                value = value * 16 + hexValue(m_in.at(m_pos));
                ++m_pos;
                ++digits;
            }
            if (digits < 2) {
                value = -1;
            }
            if (value < 0 || takeFallback()) {
                return;
            }
            if (!m_state.skip) {
                m_bytes.append(char(value));
            }
            return;
        }
        case '*':
            flushBytes();
            if (atGroupStart) {
                m_state.skip = true;
            }
            return;
        case '\\':
        case '{':
        case '}':
            if (!takeFallback()) {
                emitChar(c);
            }
            return;
        case '~':
            if (!takeFallback()) {
                emitChar(u' ');
            }
            return;
        case '_':
            if (!takeFallback()) {
                emitChar(u'-');
            }
            return;
        case '\r':
        case '\n':
            // A backslash before a line end of the source is a paragraph mark.
            if (!takeFallback()) {
                emitText(QStringLiteral("\r\n"));
            }
            return;
        default:
            // \- (optional hyphen), \| and \: and unknown symbols show nothing.
            takeFallback();
            return;
        }
    }

    void controlWord(const QString& word, bool hasParam, qint64 param)
    {
        flushBytes();
        if (word == u"bin") {
            // Binary data: skip exactly param characters, whatever they are.
            const qint64 count = hasParam && param > 0 ? param : 0;
            m_pos = int(qMin<qint64>(m_in.size(), m_pos + count));
            return;
        }
        if (word == u"uc") {
            m_state.uc = hasParam && param >= 0 ? int(qMin<qint64>(param, 16)) : 1;
            return;
        }
        if (word == u"u") {
            if (!hasParam) {
                return;
            }
            qint64 code = param;
            if (code < 0) {
                code += 65536;
            }
            if (code >= 0 && code <= 0xFFFF) {
                emitChar(QChar(char16_t(code)));
            }
            m_fallback = m_state.uc;
            return;
        }
        if (skippedDestinations().contains(word)) {
            // Usually the first control of its group; where one of these words
            // comes later in a group (\footnote in the body), what follows up to
            // the end of the group is still no body text.
            m_state.skip = true;
            return;
        }
        if (takeFallback()) {
            return;
        }
        if (word == u"par" || word == u"line" || word == u"sect" || word == u"page" || word == u"row") {
            emitText(QStringLiteral("\r\n"));
        } else if (word == u"tab" || word == u"cell") {
            emitChar(u'\t');
        } else if (word == u"emdash") {
            emitChar(QChar(0x2014));
        } else if (word == u"endash") {
            emitChar(QChar(0x2013));
        } else if (word == u"bullet") {
            emitChar(QChar(0x2022));
        } else if (word == u"lquote") {
            emitChar(QChar(0x2018));
        } else if (word == u"rquote") {
            emitChar(QChar(0x2019));
        } else if (word == u"ldblquote") {
            emitChar(QChar(0x201C));
        } else if (word == u"rdblquote") {
            emitChar(QChar(0x201D));
        } else if (word == u"emspace" || word == u"enspace" || word == u"qmspace") {
            emitChar(u' ');
        }
        // Every other control word (formatting) shows nothing.
    }

    const QString& m_in;
    int m_pos = 0;
    QString m_out;
    QByteArray m_bytes;
    GroupState m_state;
    QList<GroupState> m_stack;
    bool m_groupStart = false;
    int m_fallback = 0;
};

} // namespace

bool IsRtfText(const QString& text)
{
    int i = 0;
    while (i < text.size() && text.at(i).isSpace()) {
        ++i;
    }
    return QStringView(text).mid(i).startsWith(u"{\\rtf");
}

QString RtfToText(const QString& rtf)
{
    if (!IsRtfText(rtf)) {
        return rtf;
    }
    return RtfParser(rtf).run();
}

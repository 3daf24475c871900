#pragma once
// The artwork of the client's own windows: backgrounds and button faces, painted for
// this project in a flat teal and blue style. Everything is drawn at run time, so no
// picture file ships with the program.
#include <QAbstractButton>
#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>

namespace appart {

// The colours of the style.
inline const QColor kTeal{0x12, 0x8c, 0x8c};
inline const QColor kBlue{0x1f, 0x6f, 0xb2};
inline const QColor kDeepBlue{0x17, 0x4f, 0x86};
inline const QColor kPanel{0xf2, 0xf7, 0xf9};
inline const QColor kLine{0xc9, 0xdb, 0xe3};

// A font of the given family and pixel height; when the family is not installed the
// CJK fallback "WenQuanYi Micro Hei" draws the Chinese text.
QFont Font(const QString& family, int pixelSize, bool bold = false);

// Backgrounds of the windows (exact client sizes).
QPixmap ToolBackground(const QSize& size); // TfrmTool
QPixmap PromptBackground(const QSize& size); // TfrmTamryShowMessage(2)
QPixmap NoticeBackground(const QSize& size); // TfrmMessage

// Kinds of bitmap button faces.
enum class Face {
    Light, // light face with the button's caption (toolbar buttons)
    Primary, // filled teal-blue face with a painted label (OK)
    Secondary, // light face with a painted label (Cancel, second button)
    Close, // white cross on the title band
    Minimize, // white bar on the title band
    Small // small light face with the caption ("关闭")
};

// A button that draws its face (normal, hover, pressed, disabled) like a bitmap button.
// Label is painted as part of the face picture; text() is the button's own caption.
class TBitBtn : public QAbstractButton {
public:
    TBitBtn(Face face, QWidget* parent = nullptr, const QString& faceLabel = {});
    void setFace(Face face, const QString& faceLabel = {});
    Face face() const { return m_face; }
    QString faceLabel() const { return m_label; }
    void setTextColor(const QColor& c)
    {
        m_textColor = c;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;

private:
    Face m_face;
    QString m_label;
    QColor m_textColor{113, 113, 113};
    bool m_hover = false;
};

} // namespace appart

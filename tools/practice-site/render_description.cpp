// Renders a question's description text (UTF-8) into the PNG picture that the
// toolbar shows in its 354-pixel wide picture box.
//   render-description <text file> <png file>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextDocument>
#include <QTextOption>
#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: render-description <text file> <png file>\n");
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const QString text = QString::fromUtf8(in.readAll()).trimmed();

    const int width = 336;
    const int margin = 10;
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(15);
    QFont titleFont = font;
    titleFont.setBold(true);
    titleFont.setPixelSize(17);

    // First line is the title, the rest the task.
    const QString title = text.section(QLatin1Char('\n'), 0, 0).trimmed();
    const QString body = text.section(QLatin1Char('\n'), 1).trimmed();

    QTextDocument doc;
    doc.setDefaultFont(font);
    doc.setTextWidth(width - 2 * margin);
    QString html = QStringLiteral("<div style='color:#1f4e8c'><b style='font-size:17px'>%1</b></div>"
                                  "<hr style='color:#c8d3e0'/>")
                       .arg(title.toHtmlEscaped());
    for (const QString& para : body.split(QLatin1Char('\n')))
        html += QStringLiteral("<p style='margin-top:4px; margin-bottom:4px; color:#222222'>%1</p>")
                    .arg(para.trimmed().toHtmlEscaped());
    doc.setHtml(html);
    const int height = qMax(120, int(doc.size().height()) + 2 * margin);

    QImage img(width, height, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.fillRect(0, 0, 4, height, QColor(0x3a, 0x7b, 0xd5));
    p.translate(margin, margin);
    doc.drawContents(&p);
    p.end();
    if (!img.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}

#include "simulation/iis/ufrmIISGuide.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "simulation/desktop/SimWindows.h"
#include "simulation/iis/IISSettings.h"
#include "simulation/iis/ufrmIIS.h"

// Opened by the manager only.
SIM_REGISTER_WINDOW_WITH(TfrmIISGuide, [](const sim::OpenOptions&) -> QWidget* { return nullptr; })

namespace {

constexpr int kPageCount = 5;

// A page: a white heading band with its title and explanation, then the body.
QWidget* makePage(const QString& title, const QString& text, QWidget* body = nullptr)
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    v->setContentsMargins(0, 0, 0, 0);
    auto* head = new QFrame;
    head->setAutoFillBackground(true);
    QPalette pal = head->palette();
    pal.setColor(QPalette::Window, Qt::white);
    head->setPalette(pal);
    head->setFixedHeight(60);
    auto* hv = new QVBoxLayout(head);
    auto* t = new QLabel(title);
    t->setFont(sim::SongFont(12, true));
    hv->addWidget(t);
    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    v->addWidget(head);
    v->addWidget(line);
    auto* content = new QVBoxLayout;
    content->setContentsMargins(40, 10, 40, 10);
    auto* l = new QLabel(text);
    l->setWordWrap(true);
    content->addWidget(l);
    if (body)
        content->addWidget(body);
    content->addStretch();
    v->addLayout(content, 1);
    return page;
}

QWidget* labelled(const QString& caption, QLineEdit* edit)
{
    auto* w = new QWidget;
    auto* v = new QVBoxLayout(w);
    v->setContentsMargins(0, 10, 0, 0);
    v->addWidget(new QLabel(caption));
    v->addWidget(edit);
    return w;
}

} // namespace

TfrmIISGuide::TfrmIISGuide(QWidget* parent) : sim::PlainDialog(parent)
{
    setObjectName(QStringLiteral("frmIISGuide"));
    setWindowTitle(QStringLiteral("虚拟目录创建向导"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(sim::SongFont(12));
    sim::Ref<TfrmIISGuide>() = this;

    pages = new QStackedWidget;
    pages->setObjectName(QStringLiteral("pages"));
    pages->addWidget(
        makePage(QStringLiteral("欢迎使用虚拟目录创建向导"),
                 QStringLiteral("此向导帮助您在网站上创建虚拟目录。\n\n要继续，请单击“下一步”。")));
    txtAlias = new QLineEdit;
    txtAlias->setObjectName(QStringLiteral("txtAlias"));
    pages->addWidget(makePage(QStringLiteral("虚拟目录别名"),
                              QStringLiteral("为虚拟目录指定一个短名称或别名。"),
                              labelled(QStringLiteral("别名(&A)："), txtAlias)));
    txtPath = new QLineEdit;
    txtPath->setObjectName(QStringLiteral("txtPath"));
    pages->addWidget(makePage(QStringLiteral("网站内容目录"), QStringLiteral("输入内容所在目录的路径。"),
                              labelled(QStringLiteral("路径(&P)："), txtPath)));
    chgPower = new QWidget;
    chgPower->setObjectName(QStringLiteral("chgPower"));
    auto* cv = new QVBoxLayout(chgPower);
    ckRead = new QCheckBox(QStringLiteral("读取(&R)"));
    ckWrite = new QCheckBox(QStringLiteral("写入(&W)"));
    ckBrowse = new QCheckBox(QStringLiteral("目录浏览(&O)"));
    for (QCheckBox* c : {ckRead, ckWrite, ckBrowse})
        cv->addWidget(c);
    pages->addWidget(makePage(QStringLiteral("虚拟目录访问权限"),
                              QStringLiteral("设置虚拟目录的访问权限。\n允许下列权限："), chgPower));
    pages->addWidget(makePage(QStringLiteral("已成功完成虚拟目录创建向导。"),
                              QStringLiteral("要关闭此向导，请单击“完成”。")));

    btBack = new QPushButton(QStringLiteral("< 上一步"));
    btBack->setObjectName(QStringLiteral("btBack"));
    btNext = new QPushButton(QStringLiteral("下一步 >"));
    btNext->setObjectName(QStringLiteral("btNext"));
    btCancel = new QPushButton(QStringLiteral("取消"));
    btCancel->setObjectName(QStringLiteral("btCancel"));
    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(10, 6, 10, 10);
    buttons->addStretch();
    buttons->addWidget(btBack);
    buttons->addWidget(btNext);
    buttons->addSpacing(10);
    buttons->addWidget(btCancel);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(pages, 1);
    v->addWidget(line);
    v->addLayout(buttons);
    sim::NoAutoDefault(this);

    ckRead->setChecked(iis::IsChecked(IISSettings().value(iis::Read), true));

    connect(btBack, &QPushButton::clicked, this, &TfrmIISGuide::btBackClick);
    connect(btNext, &QPushButton::clicked, this, &TfrmIISGuide::btNextClick);
    connect(btCancel, &QPushButton::clicked, this, &TfrmIISGuide::btCancelClick);
    connect(txtAlias, &QLineEdit::textChanged, this, &TfrmIISGuide::updateButtons);
    connect(txtPath, &QLineEdit::textChanged, this, &TfrmIISGuide::updateButtons);

    setFixedSize(471, 341);
    showPage(1);
}

void TfrmIISGuide::SetTarget(TfrmIIS* manager, QTreeWidgetItem* parent)
{
    m_manager = manager;
    m_parentNode = parent;
}

int TfrmIISGuide::Page() const { return pages->currentIndex() + 1; }

void TfrmIISGuide::showEvent(QShowEvent* e)
{
    sim::PlainDialog::showEvent(e);
    showPage(1);
}

void TfrmIISGuide::showPage(int page)
{
    pages->setCurrentIndex(qBound(1, page, kPageCount) - 1);
    btNext->setText(page == kPageCount ? QStringLiteral("完成") : QStringLiteral("下一步 >"));
    updateButtons();
    if (page == 2)
        txtAlias->setFocus();
    else if (page == 3)
        txtPath->setFocus();
}

void TfrmIISGuide::updateButtons()
{
    const int page = Page();
    btBack->setEnabled(page != 1 && page != kPageCount);
    btCancel->setEnabled(page != kPageCount);
    if (page == 2)
        btNext->setEnabled(!txtAlias->text().trimmed().isEmpty());
    else if (page == 3)
        btNext->setEnabled(!txtPath->text().trimmed().isEmpty());
    else
        btNext->setEnabled(true);
}

void TfrmIISGuide::btBackClick()
{
    if (Page() > 1 && Page() < kPageCount)
        showPage(Page() - 1);
}

void TfrmIISGuide::btNextClick()
{
    const int page = Page();
    if (page < kPageCount) {
        showPage(page + 1);
        return;
    }
    // "完成": only now does the new directory exist, in the table and in the tree.
    iis::Settings& s = IISSettings();
    s[iis::Alias] = txtAlias->text().trimmed();
    s[iis::LocalPath] = txtPath->text().trimmed();
    s[iis::Read] = iis::TruthText(ckRead->isChecked());
    s[iis::Write] = iis::TruthText(ckWrite->isChecked());
    s[iis::DirectoryBrowsing] = iis::TruthText(ckBrowse->isChecked());
    if (m_manager)
        m_manager->AddVirtualDirectory(m_parentNode, txtAlias->text());
    close();
}

void TfrmIISGuide::btCancelClick() { close(); }

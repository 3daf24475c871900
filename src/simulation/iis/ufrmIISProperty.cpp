#include "simulation/iis/ufrmIISProperty.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "simulation/desktop/SimWindows.h"
#include "simulation/iis/IISSettings.h"
#include "simulation/iis/ufrmIISAppConfig.h"
#include "simulation/iis/ufrmIdentityValidate.h"

SIM_REGISTER_WINDOW_WITH(TfrmIISProperty, [](const sim::OpenOptions&) -> QWidget* { return nullptr; })

namespace {

bool defaultInputBox(QWidget* parent, const QString& caption, const QString& prompt, QString& value)
{
    QInputDialog box(parent);
    box.setObjectName(QStringLiteral("InputBox"));
    box.setWindowTitle(caption);
    box.setLabelText(prompt);
    box.setTextValue(value);
    box.setOkButtonText(QStringLiteral("确定"));
    box.setCancelButtonText(QStringLiteral("取消"));
    if (box.exec() != QDialog::Accepted)
        return false;
    value = box.textValue();
    return true;
}

QPushButton* button(const QString& caption, const char* name = nullptr)
{
    auto* b = new QPushButton(caption);
    if (name)
        b->setObjectName(QString::fromLatin1(name));
    return b;
}

template <class Dialog> void openSubDialog(QWidget* owner)
{
    auto* d = sim::Ref<Dialog>().data();
    if (!d) {
        d = new Dialog(owner);
        d->setWindowFlag(Qt::Window, true);
    }
    sim::OpenOptions o;
    o.modal = true;
    sim::ShowWindow(d, o, true);
}

} // namespace

bool (*TfrmIISProperty::InputBox)(QWidget*, const QString&, const QString&, QString&) = defaultInputBox;

TfrmIISProperty::TfrmIISProperty(QWidget* parent) : sim::PlainDialog(parent)
{
    setObjectName(QStringLiteral("frmIISProperty"));
    setWindowTitle(QStringLiteral("属性"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(sim::SongFont(12));
    sim::Ref<TfrmIISProperty>() = this;

    pcProperty = new QTabWidget;
    pcProperty->setObjectName(QStringLiteral("pcProperty"));

    // ---- 虚拟目录
    auto* dirPage = new QWidget;
    auto* dv = new QVBoxLayout(dirPage);
    auto* source = new QGroupBox(QStringLiteral("此资源的内容来自:"));
    auto* sv = new QVBoxLayout(source);
    auto* here = new QRadioButton(QStringLiteral("此计算机上的目录"));
    here->setChecked(true);
    sv->addWidget(here);
    sv->addWidget(new QRadioButton(QStringLiteral("另一台计算机上的共享")));
    sv->addWidget(new QRadioButton(QStringLiteral("重定向到URL")));
    dv->addWidget(source);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(new QLabel(QStringLiteral("本地路径(&C)：")));
    txtLocalPath = new QLineEdit;
    txtLocalPath->setObjectName(QStringLiteral("txtLocalPath"));
    pathRow->addWidget(txtLocalPath, 1);
    pathRow->addWidget(button(QStringLiteral("浏览(&O)...")));
    dv->addLayout(pathRow);
    chpPPower = new QWidget;
    chpPPower->setObjectName(QStringLiteral("chpPPower"));
    auto* pg = new QGridLayout(chpPPower);
    pg->setContentsMargins(0, 0, 0, 0);
    ckScript = new QCheckBox(QStringLiteral("脚本资源访问(&T)"));
    ckRead = new QCheckBox(QStringLiteral("读取(&R)"));
    ckWrite = new QCheckBox(QStringLiteral("写入(&W)"));
    ckBrowse = new QCheckBox(QStringLiteral("目录浏览(&B)"));
    ckLog = new QCheckBox(QStringLiteral("记录访问(&V)"));
    ckIndex = new QCheckBox(QStringLiteral("索引资源(&I)"));
    pg->addWidget(ckScript, 0, 0);
    pg->addWidget(ckRead, 1, 0);
    pg->addWidget(ckWrite, 2, 0);
    pg->addWidget(ckBrowse, 0, 1);
    pg->addWidget(ckLog, 1, 1);
    pg->addWidget(ckIndex, 2, 1);
    dv->addWidget(chpPPower);
    auto* app = new QGroupBox(QStringLiteral("应用程序设置"));
    auto* ag = new QGridLayout(app);
    ag->addWidget(new QLabel(QStringLiteral("应用程序名(&M)：")), 0, 0);
    txtAppName = new QLineEdit;
    txtAppName->setObjectName(QStringLiteral("txtAppName"));
    ag->addWidget(txtAppName, 0, 1);
    ag->addWidget(button(QStringLiteral("创建(&E)")), 0, 2);
    ag->addWidget(new QLabel(QStringLiteral("开始位置：")), 1, 0);
    lblStartPos = new QLabel(QStringLiteral("<默认网站>"));
    lblStartPos->setObjectName(QStringLiteral("lblStartPos"));
    lblStartPos->setTextFormat(Qt::PlainText);
    ag->addWidget(lblStartPos, 1, 1);
    btConfig = button(QStringLiteral("配置(&G)"), "btConfig");
    ag->addWidget(btConfig, 1, 2);
    ag->addWidget(new QLabel(QStringLiteral("执行权限(&P)：")), 2, 0);
    cbExecute = new QComboBox;
    cbExecute->setObjectName(QStringLiteral("cbExecute"));
    for (const char* p : iis::ExecutePermissions)
        cbExecute->addItem(QString::fromUtf8(p));
    ag->addWidget(cbExecute, 2, 1);
    ag->addWidget(new QLabel(QStringLiteral("应用程序池(&N)：")), 3, 0);
    auto* pool = new QComboBox;
    pool->addItem(QStringLiteral("DefaultAppPool"));
    ag->addWidget(pool, 3, 1);
    ag->addWidget(button(QStringLiteral("卸载(&L)")), 3, 2);
    dv->addWidget(app);
    dv->addStretch();
    pcProperty->addTab(dirPage, QStringLiteral("虚拟目录"));

    // ---- 文档
    auto* docPage = new QWidget;
    auto* docv = new QVBoxLayout(docPage);
    auto* enableDocs = new QCheckBox(QStringLiteral("启用默认内容文档(&C)"));
    enableDocs->setChecked(true);
    docv->addWidget(enableDocs);
    auto* listRow = new QHBoxLayout;
    ltbDefaultIndex = new QListWidget;
    ltbDefaultIndex->setObjectName(QStringLiteral("ltbDefaultIndex"));
    listRow->addWidget(ltbDefaultIndex, 1);
    auto* lb = new QVBoxLayout;
    btAddDoc = button(QStringLiteral("添加(&D)..."), "btAddDoc");
    btDelDoc = button(QStringLiteral("删除(&R)"), "btDelDoc");
    btUp = button(QStringLiteral("上移(&U)"), "btUp");
    btDown = button(QStringLiteral("下移(&V)"), "btDown");
    for (QPushButton* b : {btAddDoc, btDelDoc, btUp, btDown})
        lb->addWidget(b);
    lb->addStretch();
    listRow->addLayout(lb);
    docv->addLayout(listRow, 1);
    auto* footer = new QGroupBox;
    auto* fv = new QVBoxLayout(footer);
    fv->addWidget(new QCheckBox(QStringLiteral("启用文档页脚(&O)")));
    auto* footRow = new QHBoxLayout;
    footRow->addWidget(new QLineEdit, 1);
    footRow->addWidget(button(QStringLiteral("浏览(&B)...")));
    fv->addLayout(footRow);
    docv->addWidget(footer);
    pcProperty->addTab(docPage, QStringLiteral("文档"));

    // ---- 目录安全
    auto* secPage = new QWidget;
    auto* secv = new QVBoxLayout(secPage);
    auto* anon = new QGroupBox(QStringLiteral("匿名访问和验证控制"));
    auto* anh = new QHBoxLayout(anon);
    auto* anText = new QLabel(QStringLiteral("为此资源启用匿名访问及编辑验证方法。"));
    anText->setWordWrap(true);
    anh->addWidget(anText, 1);
    btEditAuth = button(QStringLiteral("编辑(&E)..."), "btEditAuth");
    anh->addWidget(btEditAuth);
    secv->addWidget(anon);
    auto* ipGroup = new QGroupBox(QStringLiteral("IP 地址及域名限制"));
    auto* iph = new QHBoxLayout(ipGroup);
    iph->addWidget(new QLabel(QStringLiteral("使用 IP 地址或 Internet 域名授权或拒绝对资源的访问。")), 1);
    iph->addWidget(button(QStringLiteral("编辑(&I)...")));
    ipGroup->setEnabled(false);
    secv->addWidget(ipGroup);
    auto* secure = new QGroupBox(QStringLiteral("安全通信"));
    auto* sg = new QGridLayout(secure);
    sg->addWidget(new QLabel(QStringLiteral("访问资源时，要求安全通信并启用客户端证书。")), 0, 0, 3, 1);
    sg->addWidget(button(QStringLiteral("服务器证书(&S)...")), 0, 1);
    sg->addWidget(button(QStringLiteral("查看证书(&V)...")), 1, 1);
    sg->addWidget(button(QStringLiteral("编辑(&D)...")), 2, 1);
    secv->addWidget(secure);
    secv->addStretch();
    pcProperty->addTab(secPage, QStringLiteral("目录安全"));

    btOK = button(QStringLiteral("确定"), "btOK");
    btCancel = button(QStringLiteral("取消"), "btCancel");
    btApply = button(QStringLiteral("应用(&A)"), "btApply");
    auto* help = button(QStringLiteral("帮助"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {btOK, btCancel, btApply, help})
        buttons->addWidget(b);
    auto* v = new QVBoxLayout(this);
    v->addWidget(pcProperty, 1);
    v->addLayout(buttons);
    sim::NoAutoDefault(this, btOK);
    sim::ShowMnemonics(this);

    connect(btOK, &QPushButton::clicked, this, [this] {
        StoreSettings();
        close();
    });
    connect(btApply, &QPushButton::clicked, this, &TfrmIISProperty::StoreSettings);
    connect(btCancel, &QPushButton::clicked, this, &QWidget::close);
    connect(btConfig, &QPushButton::clicked, this, [this] { openSubDialog<TfrmIISAppConfig>(this); });
    connect(btEditAuth, &QPushButton::clicked, this, [this] { openSubDialog<TfrmIdentityValidate>(this); });
    connect(btAddDoc, &QPushButton::clicked, this, &TfrmIISProperty::btAddDocClick);
    connect(btDelDoc, &QPushButton::clicked, this, &TfrmIISProperty::btDelDocClick);
    connect(btUp, &QPushButton::clicked, this, &TfrmIISProperty::btUpClick);
    connect(btDown, &QPushButton::clicked, this, &TfrmIISProperty::btDownClick);

    setFixedSize(420, 470);
}

void TfrmIISProperty::showEvent(QShowEvent* e)
{
    sim::PlainDialog::showEvent(e);
    if (!e->spontaneous())
        LoadSettings();
}

void TfrmIISProperty::LoadSettings()
{
    const iis::Settings& s = IISSettings();
    pcProperty->setCurrentIndex(0);
    txtLocalPath->setText(s.value(iis::LocalPath));
    txtAppName->setText(s.value(iis::Alias).trimmed());
    lblStartPos->setText(QStringLiteral("<默认网站>\\") + s.value(iis::Alias));
    ckRead->setChecked(s.value(iis::Read) == QLatin1String("True"));
    ckWrite->setChecked(s.value(iis::Write) == QLatin1String("True"));
    ckBrowse->setChecked(s.value(iis::DirectoryBrowsing) == QLatin1String("True"));
    ckLog->setChecked(s.value(iis::LogVisits) == QLatin1String("True"));
    ckIndex->setChecked(s.value(iis::IndexResource) == QLatin1String("True"));
    const int item = cbExecute->findText(s.value(iis::ExecutePermission));
    cbExecute->setCurrentIndex(item >= 0 ? item : 0);
    ltbDefaultIndex->clear();
    const QString docs = s.value(iis::DefaultDocuments);
    if (!docs.isEmpty())
        ltbDefaultIndex->addItems(docs.split(QLatin1Char('#')));
}

void TfrmIISProperty::StoreSettings()
{
    iis::Settings& s = IISSettings();
    s[iis::Alias] = txtAppName->text().trimmed();
    s[iis::LocalPath] = txtLocalPath->text().trimmed();
    s[iis::IndexResource] = iis::TruthText(ckIndex->isChecked());
    s[iis::Write] = iis::TruthText(ckWrite->isChecked());
    s[iis::LogVisits] = iis::TruthText(ckLog->isChecked());
    s[iis::Read] = iis::TruthText(ckRead->isChecked());
    s[iis::DirectoryBrowsing] = iis::TruthText(ckBrowse->isChecked());
    s[iis::ExecutePermission] = cbExecute->currentText();
    QStringList docs;
    for (int i = 0; i < ltbDefaultIndex->count(); ++i)
        docs << ltbDefaultIndex->item(i)->text();
    s[iis::DefaultDocuments] = docs.join(QLatin1Char('#'));
}

void TfrmIISProperty::btAddDocClick()
{
    QString doc;
    if (!InputBox(this, QStringLiteral("添加内容页"), QStringLiteral("默认内容页"), doc))
        return; // cancelled: nothing is added
    if (doc.trimmed().isEmpty())
        return;
    for (int i = 0; i < ltbDefaultIndex->count(); ++i)
        if (ltbDefaultIndex->item(i)->text() == doc)
            return;
    ltbDefaultIndex->addItem(doc);
}

void TfrmIISProperty::btDelDocClick()
{
    const int row = ltbDefaultIndex->currentRow();
    if (row >= 0 && ltbDefaultIndex->currentItem() && ltbDefaultIndex->currentItem()->isSelected())
        delete ltbDefaultIndex->takeItem(row);
}

void TfrmIISProperty::btUpClick()
{
    const int row = ltbDefaultIndex->currentRow();
    if (row < 1)
        return;
    QListWidgetItem* item = ltbDefaultIndex->takeItem(row);
    ltbDefaultIndex->insertItem(row - 1, item);
    ltbDefaultIndex->setCurrentRow(row - 1);
}

void TfrmIISProperty::btDownClick()
{
    const int row = ltbDefaultIndex->currentRow();
    if (row < 0 || row >= ltbDefaultIndex->count() - 1)
        return;
    QListWidgetItem* item = ltbDefaultIndex->takeItem(row);
    ltbDefaultIndex->insertItem(row + 1, item);
    ltbDefaultIndex->setCurrentRow(row + 1);
}

#include "simulation/network/ufrmIPSet.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include "common/DelimitedText.h"
#include "question/TQuestion.h"
#include "simulation/desktop/SimWindows.h"
#include "simulation/network/NetworkWindows.h"
#include "simulation/network/TIPAddressEdit.h"

SIM_REGISTER_WINDOW_WITH(TfrmIPSet,
                         [](const sim::OpenOptions& o) -> QWidget* { return net::OpenOwned<TfrmIPSet>(o); })

namespace {

constexpr int kFieldCount = 5;

} // namespace

TfrmIPSet::TfrmIPSet(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmIPSet"));
    setWindowTitle(QStringLiteral("Internet 协议 (TCP/IP) 属性"));
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setFont(sim::SongFont(12));

    auto* tabs = new QTabWidget;
    auto* page = new QWidget;
    auto* pv = new QVBoxLayout(page);
    pv->setContentsMargins(8, 6, 8, 4);
    pv->setSpacing(4);
    auto* intro = new QLabel(QStringLiteral(
        "如果网络支持此功能，则可以获得自动指定的 IP设置。否则，您需要从网络系统管理员处获得适当的 IP 设置"));
    intro->setWordWrap(true);
    pv->addWidget(intro);

    rbAutoIP = new QRadioButton(QStringLiteral("自动获得IP地址(&O)"));
    rbAutoIP->setObjectName(QStringLiteral("rbAutoIP"));
    rbManualIP = new QRadioButton(QStringLiteral("使用下面的IP地址(&S)"));
    rbManualIP->setObjectName(QStringLiteral("rbManualIP"));
    rbAutoDNS = new QRadioButton(QStringLiteral("自动获得DNS 服务器地址(&E)"));
    rbAutoDNS->setObjectName(QStringLiteral("rbAutoDNS"));
    rbAutoDNS->setEnabled(false);
    rbManualDNS = new QRadioButton(QStringLiteral("使用下面的 DNS 服务器地址(&E)："));
    rbManualDNS->setObjectName(QStringLiteral("rbManualDNS"));
    auto* ipChoice = new QButtonGroup(this);
    ipChoice->addButton(rbAutoIP);
    ipChoice->addButton(rbManualIP);
    auto* dnsChoice = new QButtonGroup(this);
    dnsChoice->addButton(rbAutoDNS);
    dnsChoice->addButton(rbManualDNS);

    const char* names[kFieldCount] = {"edtIP", "edtMask", "edtGateway", "edtDNS", "edtDNS2"};
    for (int i = 0; i < kFieldCount; ++i) {
        m_fields[i] = new TIPAddressEdit;
        m_fields[i]->setObjectName(QString::fromLatin1(names[i]));
    }
    edtIP = m_fields[0];
    edtMask = m_fields[1];
    edtGateway = m_fields[2];
    edtDNS = m_fields[3];
    edtDNS2 = m_fields[4];

    auto fieldGroup = [](QRadioButton* title, const QList<QPair<QString, TIPAddressEdit*>>& rows) {
        auto* box = new QGroupBox;
        auto* g = new QGridLayout(box);
        g->setContentsMargins(8, 2, 8, 4);
        g->setVerticalSpacing(3);
        g->addWidget(title, 0, 0, 1, 2);
        int r = 1;
        for (const auto& row : rows) {
            g->addWidget(new QLabel(row.first), r, 0);
            g->addWidget(row.second, r, 1, Qt::AlignLeft);
            ++r;
        }
        g->setColumnStretch(1, 1);
        return box;
    };
    pv->addWidget(rbAutoIP);
    pv->addWidget(fieldGroup(rbManualIP,
                             {{QStringLiteral("IP地址："), edtIP},
                              {QStringLiteral("子网掩码："), edtMask},
                              {QStringLiteral("默认网关："), edtGateway}}));
    pv->addWidget(rbAutoDNS);
    pv->addWidget(fieldGroup(rbManualDNS,
                             {{QStringLiteral("首选 DNS 服务器地址(&P)："), edtDNS},
                              {QStringLiteral("备选 DNS 服务器地址(&A)："), edtDNS2}}));
    tabs->addTab(page, QStringLiteral("常规"));

    btOK = new QPushButton(QStringLiteral("确定"));
    btOK->setObjectName(QStringLiteral("btOK"));
    btCancel = new QPushButton(QStringLiteral("取消"));
    btCancel->setObjectName(QStringLiteral("btCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btOK);
    buttons->addWidget(btCancel);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(6, 6, 6, 6);
    v->addWidget(tabs, 1);
    v->addLayout(buttons);
    for (QPushButton* b : findChildren<QPushButton*>())
        b->setAutoDefault(false);
    sim::ShowMnemonics(this);

    connect(rbAutoIP, &QRadioButton::clicked, this, &TfrmIPSet::rbAutoIPClick);
    connect(rbManualIP, &QRadioButton::clicked, this, &TfrmIPSet::rbManualIPClick);
    connect(rbAutoDNS, &QRadioButton::clicked, this, &TfrmIPSet::rbAutoDNSClick);
    connect(rbManualDNS, &QRadioButton::clicked, this, &TfrmIPSet::rbManualDNSClick);
    connect(btOK, &QPushButton::clicked, this, &TfrmIPSet::btOKClick);
    connect(btCancel, &QPushButton::clicked, this, &QWidget::close);
    setFixedSize(413, 355);
}

void TfrmIPSet::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TfrmIPSet::FormShow()
{
    rbManualIP->setChecked(true);
    rbManualDNS->setChecked(true);
    setFieldsEnabled(0, kFieldCount - 1, true, false);
    if (sim::OpType() == 1)
        for (TIPAddressEdit* f : m_fields)
            f->SetText(QStringLiteral("0.0.0.0"));
    if (!sim::AnswerTextIsFor(net::IPOperationType))
        return;
    const QStringList values = delimited::Split(sim::CurrentQuestion()->GetAnswer());
    if (values.size() != kFieldCount)
        return;
    for (int i = 0; i < kFieldCount; ++i)
        m_fields[i]->SetText(values.at(i));
}

QString TfrmIPSet::AnswerText() const
{
    QStringList values;
    for (TIPAddressEdit* f : m_fields)
        values << f->Text().trimmed();
    return delimited::Join(values);
}

void TfrmIPSet::setFieldsEnabled(int first, int last, bool enabled, bool clear)
{
    for (int i = first; i <= last; ++i) {
        if (clear)
            m_fields[i]->SetText(QString());
        m_fields[i]->setEnabled(enabled);
        m_fields[i]->SetColor(palette().color(enabled ? QPalette::Base : QPalette::Button));
    }
}

void TfrmIPSet::rbAutoIPClick()
{
    rbManualIP->setChecked(false);
    setFieldsEnabled(0, 2, false, true);
}

void TfrmIPSet::rbManualIPClick()
{
    rbAutoIP->setChecked(false);
    setFieldsEnabled(0, 2, true, false);
}

void TfrmIPSet::rbAutoDNSClick()
{
    rbManualDNS->setChecked(false);
    setFieldsEnabled(3, 4, false, true);
}

void TfrmIPSet::rbManualDNSClick()
{
    rbAutoDNS->setChecked(false);
    setFieldsEnabled(3, 4, true, false);
}

void TfrmIPSet::btOKClick()
{
    if (sim::AnswerTextIsFor(net::IPOperationType))
        sim::CurrentQuestion()->SetAnswer(AnswerText());
    close();
}

void TfrmIPSet::keyPressEvent(QKeyEvent* e)
{
    // "确定" is the default button; Escape does nothing.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        btOK->click();
        return;
    }
    QWidget::keyPressEvent(e);
}

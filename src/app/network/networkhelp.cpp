#include "networkhelp.h"

#include <QLabel>

NetworkHelp::NetworkHelp(QWidget *parent) : QWidget(parent, Qt::Window), label(new QLabel(this))
{
    resize(400, 300);
    setWindowModality(Qt::ApplicationModal);
    label->setGeometry(20, 40, 361, 221);
    label->setFont(QFont(QStringLiteral("微软雅黑")));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    retranslate();
}

void NetworkHelp::retranslate()
{
    setWindowTitle(tr("帮助"));
    label->setText(
        tr("1.如果设置IP后无法再通过网络控制设备，有可能您设置的IP在本网段中已被使用，"
           "将网络复位后再尝试更改其他IP地址！\n\n"
           "2.选择和设备通讯的网卡时，请确保与设备通讯的网卡为第一网卡，否则可能不能和设备通讯。\n\n"
           "3.反复开关设备或以同一IP向同一路由器多次注册，在短时间内可能会出现无法连接的情况。") +
        QStringLiteral("\n\n") +
        tr("4.UDP数据无法证明发送者：通过UDP连接设备只适用于可信的网络。条件允许时，请优先用主界面的“连接服务器”（TCP）连接设备。"));
    // Longer translations get the height they need instead of being cut off.
    const int textHeight = qMax(221, label->heightForWidth(label->width()));
    label->resize(label->width(), textHeight);
    resize(400, textHeight + 79);
}

QString NetworkHelp::text() const
{
    return label->text();
}

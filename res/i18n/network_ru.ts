<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>NetworkDialog</name>
    <message>
        <source>网络连接</source>
        <translation>Сетевое подключение</translation>
    </message>
    <message>
        <source>语言切换</source>
        <translation>Переключение языков</translation>
    </message>
    <message>
        <source>设备信息列表</source>
        <translation>Список информации об устройствах</translation>
    </message>
    <message>
        <source>序号</source>
        <translation>порядковый номер</translation>
    </message>
    <message>
        <source>IP地址</source>
        <translation>IP-адрес</translation>
    </message>
    <message>
        <source>MAC地址</source>
        <translation>MAC-адрес</translation>
    </message>
    <message>
        <source>端口号</source>
        <translation>Номер порта</translation>
    </message>
    <message>
        <source>版本信息</source>
        <translation>Информация о версии</translation>
    </message>
    <message>
        <source>连接协议</source>
        <translation>Протокол подключения</translation>
    </message>
    <message>
        <source>选择与设备通讯网卡</source>
        <translation>Выберите сетевую карту устройства</translation>
    </message>
    <message>
        <source>网卡：</source>
        <translation>Сетевая карта:</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>обновить</translation>
    </message>
    <message>
        <source>查找设备</source>
        <translation>Поиск устройства</translation>
    </message>
    <message>
        <source>修改IP和MAC</source>
        <translation>Изменить IP и MAC</translation>
    </message>
    <message>
        <source>连接设备</source>
        <translation>подключить устройство</translation>
    </message>
    <message>
        <source>断开连接</source>
        <translation>отключить</translation>
    </message>
    <message>
        <source>串口连接</source>
        <translation>подключение через последовательный порт</translation>
    </message>
    <message>
        <source>串口：</source>
        <translation>Последовательный порт:</translation>
    </message>
    <message>
        <source>打开串口</source>
        <translation>Открыть последовательный порт</translation>
    </message>
    <message>
        <source>关闭串口</source>
        <translation>Закрыть порт RS232</translation>
    </message>
    <message>
        <source>串口刷新</source>
        <translation>бновить</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Справка</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>подсказк</translation>
    </message>
    <message>
        <source>必须选择网卡</source>
        <translation>Необходимо выбрать сетевой адаптер</translation>
    </message>
    <message>
        <source>停止查找(</source>
        <translation>Остановить поиск (</translation>
    </message>
    <message>
        <source>请先选择要连接的设备！</source>
        <translation>Пожалуйста, сначала выберите устройство, к которому вы хотите подключиться!</translation>
    </message>
    <message>
        <source>IP地址、TCP端口号为必填！</source>
        <translation>IP-адрес и номер TCP-порта обязательны!</translation>
    </message>
    <message>
        <source>您已建立连接，若要建立新的连接，请先断开连接！</source>
        <translation>Вы уже установили соединение, и чтобы установить новое подключение, сначала отключитесь!</translation>
    </message>
    <message>
        <source>请输入正确的IP地址</source>
        <translation>Пожалуйста, введите правильный IP-адрес</translation>
    </message>
    <message>
        <source>请输入正确的MAC地址</source>
        <translation>Пожалуйста, введите правильный MAC-адрес</translation>
    </message>
    <message>
        <source>要求MAC第一和第二位必须是偶数</source>
        <translation>Требуется, чтобы первая и вторая цифры MAC были четными</translation>
    </message>
    <message>
        <source>未确定连接协议，无法连接</source>
        <translation>Протокол подключения не был определен, и соединение не было установлено</translation>
    </message>
    <message>
        <source>连接已断开</source>
        <translation>Соединение разорвано</translation>
    </message>
    <message>
        <source>您还未建立连接！</source>
        <translation>Вы еще не установили соединение!</translation>
    </message>
    <message>
        <source>请选择一行</source>
        <translation>Выберите устройство</translation>
    </message>
    <message>
        <source>上次查找到%1台设备，修改会发给本网段的所有设备，它们都会得到同一个IP和MAC地址。确定要修改吗？</source>
        <translation>Последний поиск нашёл устройств: %1. Изменение получат все устройства этой сети, и у всех будет один и тот же IP- и MAC-адрес. Всё равно изменить?</translation>
    </message>
    <message>
        <source>正在更改...</source>
        <translation>Изменение настроек...</translation>
    </message>
    <message>
        <source>请输入正确的端口号（1～65535）</source>
        <translation>Пожалуйста, введите правильный номер порта (1–65535)</translation>
    </message>
    <message>
        <source>在空行中填写IP地址和端口号，再点“连接设备”，即可通过TCP连接该地址</source>
        <translation>Введите IP-адрес и номер порта в пустую строку и нажмите «подключить устройство», чтобы подключиться к этому адресу по TCP</translation>
    </message>
</context>
<context>
    <name>NetworkHelp</name>
    <message>
        <source>帮助</source>
        <translation>Справка</translation>
    </message>
    <message>
        <source>1.如果设置IP后无法再通过网络控制设备，有可能您设置的IP在本网段中已被使用，将网络复位后再尝试更改其他IP地址！

2.选择和设备通讯的网卡时，请确保与设备通讯的网卡为第一网卡，否则可能不能和设备通讯。

3.反复开关设备或以同一IP向同一路由器多次注册，在短时间内可能会出现无法连接的情况。</source>
        <translation>1. Если после установки IP-адреса вы больше не можете управлять устройством через сеть, возможно, установленный вами IP-адрес использовался в этом сегменте сети, сбросьте сеть, а затем попробуйте изменить другой IP-адрес!

2. При выборе сетевой карты для связи с устройством убедитесь, что сетевая карта, которая взаимодействует с устройством, является первой сетевой картой, в противном случае она может не иметь возможности взаимодействовать с устройством.

3. Многократное включение и выключение устройства или регистрация на одном и том же маршрутизаторе несколько раз с одним и тем же IP-адресом может привести к сбою подключения в течение короткого периода времени.</translation>
    </message>
    <message>
        <source>4.UDP数据无法证明发送者：通过UDP连接设备只适用于可信的网络。条件允许时，请优先用主界面的“连接服务器”（TCP）连接设备。</source>
        <translation>4. Данные UDP не доказывают, кто их отправил: подключайтесь к устройству по UDP только в доверенной сети. По возможности используйте «подключиться к серверу» (TCP) в главном окне.</translation>
    </message>
</context>
</TS>

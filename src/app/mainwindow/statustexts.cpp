#include "statustexts.h"

namespace {
const char *const texts[statusTextRows][3] = {
    {"连接状态: ", "Connection status: ", "Статус соединения: "},
    {"未连接", "Not Connected", "Нет связи"},
    {"已连接", "Connected", "Связь установлена"},
    {"关闭串口", "Close the Serial Port", "Отключите последовательный порт"},
    {"打开成功", "Open Successfully", "Получилось"},
    {"打开串口", "Open serial port", "Откройте последовательный порт"},
    {"串口连接", "Series Connection", "Последовательное соединение"},
    {"串口刷新", "Serial Port Refresh", "Обновление последовательного порта"},
    {"正在连接...", "Connecting...", "Соединительный..."},
    {"脱机状态", "Offline", "Статус «Не в сети»"},
};
} // namespace

QString statusText(int row, int language)
{
    if (row < 0 || row >= statusTextRows || language < 0 || language > 2)
        return QString();
    return QString::fromUtf8(texts[row][language]);
}

#include "statustexts.h"

#include <QtGlobal>

namespace w4 {

namespace {

const char *const texts[10][3] = {
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
    row = qBound(0, row, 9);
    language = qBound(0, language, 2);
    return QString::fromUtf8(texts[row][language]);
}

std::optional<QString> statusLine(int row, int language, const QString &serialPortText)
{
    if (row >= 0 && row <= 9)
        return statusText(0, language) + statusText(row, language);
    const int serialRow = row == 10 ? 2 : row == 11 ? 1 : row == 12 ? 8 : -1;
    if (serialRow < 0)
        return std::nullopt;
    return statusText(0, language) + serialPortText + QLatin1Char(' ') + statusText(serialRow, language);
}

QString reconnectingLine(int attempt, int language)
{
    const char *const reconnecting[3] = {"正在重新连接… (第 %1 次)", "reconnecting… (attempt %1)",
                                         "переподключение… (попытка %1)"};
    return statusText(0, language) + QString::fromUtf8(reconnecting[qBound(0, language, 2)]).arg(attempt);
}

} // namespace w4
